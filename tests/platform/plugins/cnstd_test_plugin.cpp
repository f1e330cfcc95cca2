// A keyword-address plug-in for the loader's tests. Built three ways: complete, without
// ConvertCNS2URL (PELTO_PLUGIN_NO_CONVERT), and without any of the two exports
// (PELTO_PLUGIN_NO_EXPORTS).
//
// Keywords are the texts that begin with "kw". ConvertCNS2URL answers:
//   "kw:<word>"  "http://www.<word>.example/"
//   "kwempty"    nothing
//   "kwfull"     the whole buffer without a terminator
//   "kwoverrun"  300 bytes, past the end of the buffer it was given
//   "kwlongest"  the longest sound answer: size - 1 letters
// and "contract broken" when the application name or the size is not the agreed one.
#include <cstring>

extern "C" {

#if defined(PELTO_PLUGIN_NO_EXPORTS)

int SomethingElse(const char* text)
{
    return text != nullptr;
}

#else

int IsCNS(const char* text)
{
    return std::strncmp(text, "kw", 2) == 0 ? 1 : 0;
}

#if !defined(PELTO_PLUGIN_NO_CONVERT)

void ConvertCNS2URL(const char* text, const char* application, char* buffer, int size)
{
    if (std::strcmp(application, "Pelto Browser") != 0 || size != 260) {
        std::strcpy(buffer, "contract broken");
    } else if (std::strncmp(text, "kw:", 3) == 0) {
        std::strcpy(buffer, "http://www.");
        std::strncat(buffer, text + 3, 200);
        std::strcat(buffer, ".example/");
    } else if (std::strcmp(text, "kwfull") == 0) {
        std::memset(buffer, 'x', static_cast<std::size_t>(size));
    } else if (std::strcmp(text, "kwoverrun") == 0) {
        std::memset(buffer, 'x', 300);
        buffer[300] = '\0';
    } else if (std::strcmp(text, "kwlongest") == 0) {
        std::memset(buffer, 'y', static_cast<std::size_t>(size - 1));
    }
}

#endif
#endif

}  // extern "C"
