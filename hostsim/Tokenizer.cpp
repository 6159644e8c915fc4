#include "hostsim/Tokenizer.h"

#include "hostsim/HostsimError.h"

std::vector<std::string> splitScenarioLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '#')
            break;
        if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c != '"') {
            word += c;
            continue;
        }
        // A quoted part, which may also stand inside a word (key="a value").
        for (++i;; ++i) {
            if (i >= line.size())
                refuse("unterminated quote");
            if (line[i] == '"')
                break;
            if (line[i] == '\\') {
                if (i + 1 >= line.size() || (line[i + 1] != '"' && line[i + 1] != '\\'))
                    refuse("a backslash in quotes must escape \" or \\");
                ++i;
            }
            word += line[i];
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}
