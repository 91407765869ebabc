#include "console/layout_parse.hpp"

#include <algorithm>
#include <limits>

#include "console/runtime.hpp"

namespace orbcalc {
namespace {

constexpr std::size_t kItemPoolSize = 200;
constexpr std::size_t kExcerptLength = 80;
constexpr std::size_t kExcerptLead = 40;
constexpr std::size_t kExcerptShiftAfter = 60;

constexpr std::string_view kMissingLeftParen = "Missing initial left parenthesis in format";
constexpr std::string_view kUnexpectedEnd = "Unexpected end of format string";
constexpr std::string_view kUnexpectedElement = "Unexpected element in format";
constexpr std::string_view kUnterminatedLiteral = "Unterminated character constant in format";
constexpr std::string_view kWidthRequired = "Nonnegative width required in format";
constexpr std::string_view kPeriodRequired = "Period required in format";
constexpr std::string_view kMinimumExceedsWidth = "Minimum digits exceeds field width";

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

// Descriptor letters are recognised in either case; every other byte,
// 0x80 to 0xFF included, maps to itself.
constexpr char case_map(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

class Lexer {
 public:
  explicit Lexer(Layout& layout) : layout_(layout), text_(layout.text) {}

  Token next() {
    if (held_) {
      held_ = false;
      return token_;
    }
    token_ = scan();
    return token_;
  }

  // Gives the last token back; the next call returns it again.
  void unlex() { held_ = true; }

  std::int64_t value() const { return value_; }
  std::size_t literal_begin() const { return literal_begin_; }
  std::size_t literal_length() const { return literal_length_; }
  char delimiter() const { return delimiter_; }
  std::size_t token_start() const { return token_start_; }

 private:
  Token scan() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    token_start_ = pos_;
    if (pos_ == text_.size()) return Token::end;
    char c = case_map(read());
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
      char d = read();
      value_ = value_ * 10 + (d - '0');
      if (value_ > std::numeric_limits<std::int32_t>::max()) return Token::unexpected;
    }
    return value_ == 0 ? Token::zero : Token::number;
  }

  Token scan_literal(char delimiter) {
    delimiter_ = delimiter;
    literal_begin_ = pos_;
    literal_length_ = 0;
    while (pos_ < text_.size()) {
      char c = read();
      if (c == delimiter) {
        if (pos_ == text_.size() || text_[pos_] != delimiter) return Token::literal;
        read();
      }
      ++literal_length_;
    }
    return Token::unterminated;
  }

  char read() {
    layout_.last_read = pos_;
    return text_[pos_++];
  }

  Layout& layout_;
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t token_start_ = 0;
  Token token_ = Token::end;
  bool held_ = false;
  std::int64_t value_ = 0;
  std::size_t literal_begin_ = 0;
  std::size_t literal_length_ = 0;
  char delimiter_ = '\'';
};

class Parser {
 public:
  explicit Parser(Layout& layout) : layout_(layout), lexer_(layout) {}

  void parse() {
    if (lexer_.next() != Token::left_paren) fail(kMissingLeftParen);
    int root = add_item({.kind = LayoutKind::group, .source = lexer_.token_start()});
    parse_group_items(root);
  }

 private:
  [[noreturn]] void fail(std::string_view message) {
    format_error(message, layout_, layout_.last_read);
  }

  [[noreturn]] void fail_on(Token t) {
    if (t == Token::end) fail(kUnexpectedEnd);
    if (t == Token::unterminated) fail(kUnterminatedLiteral);
    fail(kUnexpectedElement);
  }

  int add_item(const LayoutItem& item) {
    layout_.items.push_back(item);
    return static_cast<int>(layout_.items.size() - 1);
  }

  // Reads the items of a group up to its closing parenthesis. A comma
  // between items may be left out.
  void parse_group_items(int group) {
    int last_child = kNoChild;
    Token t = lexer_.next();
    while (t != Token::right_paren) {
      int child = parse_item(t);
      if (last_child == kNoChild) {
        layout_.items[static_cast<std::size_t>(group)].first_child = child;
      } else {
        layout_.items[static_cast<std::size_t>(last_child)].next_sibling = child;
      }
      last_child = child;
      t = lexer_.next();
      if (t == Token::comma) t = lexer_.next();
    }
  }

  int parse_item(Token t) {
    std::size_t start = lexer_.token_start();
    switch (t) {
      case Token::number: return parse_repeated(lexer_.value(), start);
      case Token::left_paren: return parse_group(1, start);
      case Token::slash:
        return add_item({.kind = LayoutKind::record_break, .repeat = 1, .source = start});
      case Token::letter_x:
        return add_item({.kind = LayoutKind::position_skip, .repeat = 1, .source = start});
      case Token::literal:
        return add_item({.kind = LayoutKind::literal,
                         .text_begin = lexer_.literal_begin(),
                         .text_length = lexer_.literal_length(),
                         .delimiter = lexer_.delimiter(),
                         .source = start});
      case Token::letter_i:
      case Token::letter_f:
      case Token::letter_a: return parse_field(t, 1);
      default: fail_on(t);
    }
  }

  // A positive number in front of a slash, a group, X or a data field.
  int parse_repeated(std::int64_t count, std::size_t start) {
    Token t = lexer_.next();
    switch (t) {
      case Token::slash:
        return add_item({.kind = LayoutKind::record_break, .repeat = count, .source = start});
      case Token::left_paren: return parse_group(count, start);
      case Token::letter_x:
        return add_item({.kind = LayoutKind::position_skip, .repeat = count, .source = start});
      case Token::letter_i:
      case Token::letter_f:
      case Token::letter_a: return parse_field(t, count);
      default: fail_on(t);
    }
  }

  int parse_group(std::int64_t count, std::size_t start) {
    int group = add_item({.kind = LayoutKind::group, .repeat = count, .source = start});
    parse_group_items(group);
    return group;
  }

  std::int64_t required_count(std::string_view missing) {
    Token t = lexer_.next();
    if (t == Token::number || t == Token::zero) return lexer_.value();
    if (t == Token::end || t == Token::unterminated) fail_on(t);
    fail(missing);
  }

  int parse_field(Token letter, std::int64_t count) {
    LayoutItem item{.repeat = count, .source = lexer_.token_start()};
    if (letter == Token::letter_a) {
      item.kind = LayoutKind::text_field;
      Token t = lexer_.next();
      if (t == Token::number || t == Token::zero) {
        item.width = lexer_.value();
      } else {
        item.width = -1;
        lexer_.unlex();
      }
    } else if (letter == Token::letter_i) {
      item.kind = LayoutKind::integer_field;
      item.width = required_count(kWidthRequired);
      if (lexer_.next() == Token::period) {
        item.digits = required_count(kUnexpectedElement);
        if (item.width != 0 && item.digits > item.width) fail(kMinimumExceedsWidth);
      } else {
        lexer_.unlex();
      }
    } else {
      item.kind = LayoutKind::real_field;
      item.width = required_count(kWidthRequired);
      Token t = lexer_.next();
      if (t != Token::period) {
        if (t == Token::end) fail_on(t);
        fail(kPeriodRequired);
      }
      item.digits = required_count(kUnexpectedElement);
    }
    return add_item(item);
  }

  Layout& layout_;
  Lexer lexer_;
};

}  // namespace

bool is_data_field(const LayoutItem& item) {
  return item.kind == LayoutKind::integer_field || item.kind == LayoutKind::real_field ||
         item.kind == LayoutKind::text_field;
}

void parse_format(std::string_view text, Layout& layout) {
  if (layout.items.capacity() < kItemPoolSize) layout.items.reserve(kItemPoolSize);
  layout.items.clear();
  layout.text = text;
  layout.last_read = 0;
  Parser(layout).parse();
}

std::string format_error_text(std::string_view message, std::string_view text,
                              std::size_t point) {
  std::size_t start = point > kExcerptShiftAfter ? point - kExcerptLead : 0;
  std::string reason(message);
  reason += '\n';
  reason += text.substr(std::min(start, text.size()), kExcerptLength);
  reason += '\n';
  reason.append(point - start, ' ');
  reason += '^';
  return reason;
}

void format_error(std::string_view message, const Layout& layout, std::size_t point) {
  generate_error(kFormatError, format_error_text(message, layout.text, point));
}

void copy_literal(const Layout& layout, const LayoutItem& item, char* into) {
  const char* from = layout.text.data() + item.text_begin;
  for (std::size_t n = 0; n < item.text_length; ++n) {
    *into++ = *from;
    from += (*from == item.delimiter) ? 2 : 1;
  }
}

}  // namespace orbcalc
