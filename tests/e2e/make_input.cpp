// Writes the standard input of an end-to-end case from a recipe, so that
// inputs of many megabytes are made at test time instead of being kept in
// the repository.
//
// Usage: e2e_make_input RECIPE OUTPUT
//
// Each line of the recipe adds bytes to the output:
//   text BYTES           the bytes once
//   repeat COUNT BYTES   the bytes COUNT times
// BYTES is everything after the single blank that follows the keyword (or
// the count); in it \n, \r, \t, \\ and \xHH stand for those bytes. Empty
// lines and lines starting with # are ignored.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool unescape(const std::string& in, std::string& out) {
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\') {
      out += in[i];
      continue;
    }
    if (++i == in.size()) return false;
    switch (in[i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      case 'x': {
        int high = i + 1 < in.size() ? hex_value(in[i + 1]) : -1;
        int low = i + 2 < in.size() ? hex_value(in[i + 2]) : -1;
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: e2e_make_input RECIPE OUTPUT\n";
    return 2;
  }
  std::ifstream recipe(argv[1]);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  if (!recipe || !out) {
    std::cerr << "e2e_make_input: cannot open " << (recipe ? argv[2] : argv[1]) << "\n";
    return 2;
  }
  int line_number = 0;
  for (std::string line; std::getline(recipe, line);) {
    ++line_number;
    if (line.empty() || line[0] == '#') continue;
    std::uint64_t count = 1;
    std::string escaped;
    if (line.starts_with("text ")) {
      escaped = line.substr(5);
    } else if (line.starts_with("repeat ")) {
      std::size_t blank = line.find(' ', 7);
      char* end = nullptr;
      count = std::strtoull(line.c_str() + 7, &end, 10);
      if (blank == std::string::npos || end != line.c_str() + blank) {
        std::cerr << argv[1] << ":" << line_number << ": repeat needs a count and bytes\n";
        return 2;
      }
      escaped = line.substr(blank + 1);
    } else {
      std::cerr << argv[1] << ":" << line_number << ": unknown line\n";
      return 2;
    }
    std::string bytes;
    if (!unescape(escaped, bytes)) {
      std::cerr << argv[1] << ":" << line_number << ": bad escape\n";
      return 2;
    }
    // Repeated bytes go out in blocks of about a megabyte.
    std::string block;
    std::uint64_t per_block = bytes.empty() ? count : std::max<std::uint64_t>(1, (1u << 20) / bytes.size());
    for (std::uint64_t i = 0; i < std::min(per_block, count); ++i) block += bytes;
    for (std::uint64_t left = count; left > 0;) {
      std::uint64_t now = std::min(per_block, left);
      out.write(block.data(), static_cast<std::streamsize>(now * bytes.size()));
      left -= now;
    }
  }
  out.close();
  if (!out) {
    std::cerr << "e2e_make_input: cannot write " << argv[2] << "\n";
    return 2;
  }
  return 0;
}
