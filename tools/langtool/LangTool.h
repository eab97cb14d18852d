// The translator's tool: the language source (UTF-8, "#" notes, any line
// ends) and the program's language file (UTF-16LE with byte-order mark, CR LF).
#ifndef ORVALET_LANGTOOL_H
#define ORVALET_LANGTOOL_H

#include <string>
#include <vector>

struct Problem {
    int line; // 1-based; 0 for the file as a whole
    std::string message;
};

// Bytes of a UTF-8 source (a leading byte-order mark is dropped) to UTF-16.
bool DecodeUtf8(const std::string& bytes, std::u16string* text, std::string* error);
std::string EncodeUtf8(const std::u16string& text);

// Bytes of a language file to its text, without the byte-order mark.
bool DecodeLanguageFile(const std::string& bytes, std::u16string* text, std::string* error);
std::string EncodeLanguageFile(const std::u16string& text);

// True when the bytes start with the UTF-16LE byte-order mark.
bool LooksLikeLanguageFile(const std::string& bytes);

// Everything in a language text that would break the program or a
// translation. isSource: lines starting with "#" are notes.
std::vector<Problem> CheckLanguageText(const std::u16string& text, bool isSource);

// Source text to language-file text (notes dropped, CR LF after every line)
// and back (LF line ends).
std::u16string SourceToFileText(const std::u16string& source);
std::u16string FileTextToSource(const std::u16string& text);

// For each section of a language file, which of the texts the program shows
// it gives and which fall back to English; read with the program's own table.
std::string CoverageReport(const std::string& fileBytes);

#endif
