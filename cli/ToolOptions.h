#pragma once
// The options of one morvet-tool command, parsed one way for every command so
// that a wrong value gets the same words wherever it is given.
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

// The values a number option takes: from low to high, or above low when
// lowOpen; whole numbers only when whole. unit follows the range in messages.
struct NumberRange {
    double low, high;
    const char* unit = "";
    bool lowOpen = false;
    bool whole = false;
};

class ToolOptions {
public:
    void Flag(const char* name, bool* value);
    void Number(const char* name, double* value, NumberRange range);
    // One of the words in choices; *given tells whether the option came.
    void Choice(const char* name, QString* value, QStringList choices, bool* given);
    // WxH, each side from 1 to maxSide.
    void Size(const char* name, QSize* value, int maxSide);

    // Every argument that is not an option (a lone "-" too, when loneDashIsFile)
    // goes to files in order. Returns false with the message at the first
    // wrong argument; the values of the options before it may have been set.
    bool Parse(const QStringList& args, QStringList& files, std::string& error,
               bool loneDashIsFile = false) const;

private:
    struct Option {
        const char* name;
        bool* flag; // null for an option with a value
        // Stores the value, or returns why it is wrong.
        std::function<std::string(const QString&)> take;
    };
    std::vector<Option> m_options;
};
