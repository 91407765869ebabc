#include "console/real_convert.hpp"
#include <cstdlib>
namespace orbcalc {
float convert_real(std::string_view scanned) { std::string s(scanned); if (s=="-"||s=="+"||s=="."||s=="-."||s=="+.") s += "0"; return std::strtof(s.c_str(), nullptr); }
}
