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
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// The bytes `in` stands for, or false at a bad escape.
bool unescape(const std::string& in, std::string& out) {
  const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  static const std::string kLetters = "nrt\\", kBytes = "\n\r\t\\";
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\') {
      out += in[i];
    } else if (i + 1 < in.size() && kLetters.find(in[i + 1]) != std::string::npos) {
      out += kBytes[kLetters.find(in[++i])];
    } else if (in.compare(i, 2, "\\x") == 0 && i + 4 <= in.size() && hex(in[i + 2]) && hex(in[i + 3])) {
      out += static_cast<char>(std::stoi(in.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      return false;
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
  int line_number = 0;
  for (std::string line; recipe && std::getline(recipe, line);) {
    ++line_number;
    if (line.empty() || line[0] == '#') continue;
    // "text BYTES" is "repeat 1 BYTES".
    if (line.starts_with("text ")) line = "repeat 1 " + line.substr(5);
    char* end = nullptr;
    const std::uint64_t count = line.starts_with("repeat ") ? std::strtoull(line.c_str() + 7, &end, 10) : 0;
    std::string bytes;
    if (end == nullptr || *end != ' ' || !unescape(end + 1, bytes)) {
      std::cerr << argv[1] << ":" << line_number << ": not a line of a recipe\n";
      return 2;
    }
    // Repeated bytes go out in blocks of about a megabyte.
    const std::uint64_t per_block = std::max<std::uint64_t>(1, (1u << 20) / std::max<std::size_t>(bytes.size(), 1));
    std::string block;
    for (std::uint64_t i = 0; i < std::min(per_block, count); ++i) block += bytes;
    for (std::uint64_t left = count; left > 0; left -= std::min(per_block, left)) {
      out.write(block.data(), static_cast<std::streamsize>(std::min(per_block, left) * bytes.size()));
    }
  }
  out.close();
  if (!recipe.eof() || !out) {
    std::cerr << "e2e_make_input: cannot read " << argv[1] << " or write " << argv[2] << "\n";
    return 2;
  }
  return 0;
}
