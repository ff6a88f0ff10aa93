#include "platform/posix_text.h"

#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace {

// `text` converted from one encoding to another; as it is where the conversion is not known.
std::string recode(std::string text, const char* from, const std::string& to) {
    iconv_t converter = iconv_open(to.c_str(), from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string converted(4 * text.size(), '\0');
    char *in = text.data(), *out = converted.data();
    std::size_t inLeft = text.size(), outLeft = converted.size();
    const bool done = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    converted.resize(converted.size() - outLeft);
    return done ? converted : text;
}

} // namespace

std::string DescribeError(int error) {
    return recode(std::strerror(error), nl_langinfo(CODESET), "UTF-8");
}

void WriteToTerminal(const std::string& lineUtf8) {
    const std::string line = recode(lineUtf8, "UTF-8", std::string(nl_langinfo(CODESET)) + "//TRANSLIT");
    std::fprintf(stderr, "%s\n", line.c_str()); // stderr is unbuffered: it is out before the program ends
}
