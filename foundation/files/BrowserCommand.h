#pragma once
// How a browser command line of the registry's form ("http\shell\open\command") becomes a program and
// its arguments for one address: the program is the text in double quotes at the start, or else the
// text up to the first blank; the rest of the line holds the arguments, in which every "%1" stands for
// the address; without a "%1" the address is added as a last argument.
//
// The arguments are split into words before the address goes in (blanks separate words, double
// quotes group blanks into one and are dropped), so the address is always part of one argument,
// whatever it holds: it never splits into several and never ends a quote.
#include <string>
#include <string_view>
#include <vector>

struct BrowserCommand {
    std::string program;
    std::vector<std::string> arguments;
};

BrowserCommand browserCommandFor(std::string_view commandLine, std::string_view address);

// Splits an argument text into words: blanks separate them, double-quoted parts keep their blanks.
std::vector<std::string> splitArgumentText(std::string_view text);
