#pragma once
// Numbered messages of the system in the active language.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tessavin {

// The text of a message number; a number without an entry gives the fallback
// "TextCis[<n>] no exist !" (Czech: "TextCis[<n>] neexistuje !").
std::string TextCis(int number);

// Subtitle of a chart of an input built from measured data. Message 106 is the failure report;
// its second use, this subtitle, has an entry of its own.
std::string RawDataHistogramSubtitle();

// Fills the first "%s" of a format with arg; a format without "%s" is returned unchanged.
std::string FormatMessage(std::string_view format, std::string_view arg);
// Fills the "%s" placeholders in order.
std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> args);

} // namespace tessavin
