// langtool: the translator's tool for the language file "Orvalet.bin".
//   langtool compile SOURCE.lang OUT.bin    UTF-8 source to the program's file
//   langtool decompile IN.bin OUT.lang      and back ("-" writes to stdout)
//   langtool check FILE...                  a source or a language file
//   langtool coverage FILE                  which shown texts each language gives
#include "LangTool.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

int Usage() {
    std::cerr << "usage: langtool compile SOURCE.lang OUT.bin\n"
                 "       langtool decompile IN.bin OUT.lang|-\n"
                 "       langtool check FILE...\n"
                 "       langtool coverage FILE\n";
    return 2;
}

bool ReadBytes(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    *bytes = content.str();
    return true;
}

// Writes beside the target and renames, so a failed run leaves no half file.
bool WriteBytes(const std::string& path, const std::string& bytes) {
    if (path == "-") {
        std::cout << bytes;
        return bool(std::cout);
    }
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << bytes;
        if (!out.flush()) {
            std::cerr << temporary << ": cannot be written\n";
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::cerr << path << ": cannot be written\n";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

// Reads a source or a language file (told apart by the byte-order mark),
// reports its problems as "path:line: message" and gives its text.
bool LoadChecked(const std::string& path, std::u16string* text, bool* isSource) {
    std::string bytes;
    if (!ReadBytes(path, &bytes)) return false;
    *isSource = !LooksLikeLanguageFile(bytes);
    std::string error;
    bool decoded =
        *isSource ? DecodeUtf8(bytes, text, &error) : DecodeLanguageFile(bytes, text, &error);
    if (!decoded) {
        std::cerr << path << ": " << error << "\n";
        return false;
    }
    std::vector<Problem> problems = CheckLanguageText(*text, *isSource);
    for (const Problem& p : problems) {
        std::cerr << path << ":" << p.line << ": " << p.message << "\n";
    }
    return problems.empty();
}

int Compile(const std::string& sourcePath, const std::string& outPath) {
    std::u16string text;
    bool isSource;
    if (!LoadChecked(sourcePath, &text, &isSource)) return 1;
    if (!isSource) {
        std::cerr << sourcePath << ": already a language file, not a UTF-8 source\n";
        return 1;
    }
    return WriteBytes(outPath, EncodeLanguageFile(SourceToFileText(text))) ? 0 : 1;
}

int Decompile(const std::string& filePath, const std::string& outPath) {
    std::string bytes;
    if (!ReadBytes(filePath, &bytes)) return 1;
    std::u16string text;
    std::string error;
    if (!DecodeLanguageFile(bytes, &text, &error)) {
        std::cerr << filePath << ": " << error << "\n";
        return 1;
    }
    // A file with problems still decompiles, so that it can be mended.
    for (const Problem& p : CheckLanguageText(text, false)) {
        std::cerr << filePath << ":" << p.line << ": warning: " << p.message << "\n";
    }
    return WriteBytes(outPath, EncodeUtf8(FileTextToSource(text))) ? 0 : 1;
}

int Coverage(const std::string& path) {
    std::u16string text;
    bool isSource;
    bool valid = LoadChecked(path, &text, &isSource);
    if (text.empty() && !valid) return 1;
    std::string bytes = EncodeLanguageFile(isSource ? SourceToFileText(text) : text);
    std::cout << CoverageReport(bytes);
    return valid ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "decompile" && argc == 4) return Decompile(argv[2], argv[3]);
    if (command == "coverage" && argc == 3) return Coverage(argv[2]);
    if (command == "check" && argc >= 3) {
        int result = 0;
        for (int i = 2; i < argc; ++i) {
            std::u16string text;
            bool isSource;
            if (LoadChecked(argv[i], &text, &isSource)) {
                std::cout << argv[i] << ": ok\n";
            } else {
                result = 1;
            }
        }
        return result;
    }
    return Usage();
}
