#pragma once

#include <string>
#include <string_view>

namespace pelto::core {

// The host part of an address: the text after the first "://" (or the whole address), up to
// the first "/" that is not its first character. Empty when that part has no "." or begins
// with one, so that single-word hosts ("localhost") and "about:" addresses give no host.
std::string ExtractHost(std::string_view address);

}  // namespace pelto::core
