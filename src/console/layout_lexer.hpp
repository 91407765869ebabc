// The lexer of layout strings: "(", ")", ",", "/", ".", numbers, quoted
// literals and the descriptor letters I, F, A and X, in either case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "console/text.hpp"

namespace orbcalc::layout_detail {

enum class Token {
  left_paren,
  right_paren,
  comma,
  slash,
  period,
  zero,
  number,
  literal,
  letter_i,
  letter_f,
  letter_a,
  letter_x,
  end,
  unterminated,
  unexpected,
};

// The tokens of a layout string, read once from its first byte to its
// length. After each token its value, literal and start are at hand.
class Lexer {
 public:
  constexpr explicit Lexer(std::string_view text) : text_(text) {}

  constexpr Token next() {
    if (held_) {
      held_ = false;
      return token_;
    }
    token_ = scan();
    return token_;
  }
  // Gives the last token back; the next call returns it again.
  constexpr void unlex() { held_ = true; }

  constexpr std::int32_t value() const { return static_cast<std::int32_t>(value_); }

  std::size_t last_read = 0;  // the last byte read, where errors point
  std::size_t token_start = 0;
  std::size_t literal_begin = 0;
  std::size_t literal_length = 0;  // after doubled delimiters are collapsed
  char delimiter = '\'';

 private:
  constexpr Token scan() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    token_start = pos_;
    if (pos_ == text_.size()) return Token::end;
    // Descriptor letters are recognised in either case.
    const char c = static_cast<char>(to_upper(read()));
    switch (c) {
      case '(': return Token::left_paren;
      case ')': return Token::right_paren;
      case ',': return Token::comma;
      case '/': return Token::slash;
      case '.': return Token::period;
      case 'I': return Token::letter_i;
      case 'F': return Token::letter_f;
      case 'A': return Token::letter_a;
      case 'X': return Token::letter_x;
      case '\'':
      case '"': return scan_literal(c);
      default: break;
    }
    if (!is_digit(c)) return Token::unexpected;
    value_ = c - '0';
    while (pos_ < text_.size() && is_digit(text_[pos_])) {
      if (!append_digit(value_, read() - '0', std::numeric_limits<std::int32_t>::max())) {
        return Token::unexpected;
      }
    }
    return value_ == 0 ? Token::zero : Token::number;
  }

  constexpr Token scan_literal(char quote) {
    delimiter = quote;
    literal_begin = pos_;
    literal_length = 0;
    while (pos_ < text_.size()) {
      if (read() == quote) {
        if (pos_ == text_.size() || text_[pos_] != quote) return Token::literal;
        read();
      }
      ++literal_length;
    }
    return Token::unterminated;
  }

  constexpr char read() {
    last_read = pos_;
    return text_[pos_++];
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  Token token_ = Token::end;
  bool held_ = false;
  std::int64_t value_ = 0;
};

}  // namespace orbcalc::layout_detail
