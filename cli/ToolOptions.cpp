#include "cli/ToolOptions.h"

#include <QRegularExpression>
#include <cmath>

namespace {
QString Figure(double v) {
    return QString::number(v, 'g', 12);
}

std::string RangeWords(const char* name, const NumberRange& r) {
    QString text = QString::fromUtf8(name) + " is ";
    if (r.whole)
        text += "a whole number ";
    text += r.lowOpen ? "above " + Figure(r.low) + " and at most " + Figure(r.high)
                      : "from " + Figure(r.low) + " to " + Figure(r.high);
    if (*r.unit)
        text += ' ' + QString::fromUtf8(r.unit);
    return text.toStdString();
}
} // namespace

void ToolOptions::Flag(const char* name, bool* value) {
    m_options.push_back({name, value, nullptr});
}

void ToolOptions::Number(const char* name, double* value, NumberRange range) {
    m_options.push_back({name, nullptr, [=](const QString& text) -> std::string {
                             bool ok = false;
                             const double v = text.toDouble(&ok);
                             if (!ok || !std::isfinite(v))
                                 return std::string(name) + " expects a number, not \"" +
                                        text.toStdString() + "\"";
                             if (!(range.lowOpen ? v > range.low : v >= range.low) ||
                                 !(v <= range.high) || (range.whole && v != std::floor(v)))
                                 return RangeWords(name, range);
                             *value = v;
                             return {};
                         }});
}

void ToolOptions::Choice(const char* name, QString* value, QStringList choices, bool* given) {
    m_options.push_back({name, nullptr, [=](const QString& text) -> std::string {
                             if (!choices.contains(text))
                                 return std::string(name) + " is " +
                                        choices.join(" or ").toStdString();
                             *value = text;
                             *given = true;
                             return {};
                         }});
}

void ToolOptions::Size(const char* name, QSize* value, int maxSide) {
    m_options.push_back({name, nullptr, [=](const QString& text) -> std::string {
                             const QRegularExpression wxh("^(\\d{1,5})x(\\d{1,5})$");
                             const auto m = wxh.match(text);
                             if (!m.hasMatch())
                                 return std::string(name) + " expects WxH, such as 640x480";
                             const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
                             if (size.width() < 1 || size.height() < 1 || size.width() > maxSide ||
                                 size.height() > maxSide)
                                 return RangeWords(name, {1, double(maxSide), "pixels a side"});
                             *value = size;
                             return {};
                         }});
}

bool ToolOptions::Parse(const QStringList& args, QStringList& files, std::string& error,
                        bool loneDashIsFile) const {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const Option* option = nullptr;
        for (const Option& o : m_options)
            if (a == QLatin1String(o.name))
                option = &o;
        if (!option) {
            if (a.startsWith('-') && !(loneDashIsFile && a == "-")) {
                error = "unknown option \"" + a.toStdString() + "\"";
                return false;
            }
            files << a;
        } else if (option->flag) {
            *option->flag = true;
        } else if (++i == args.size()) {
            error = std::string(option->name) + " needs a value";
            return false;
        } else if (!(error = option->take(args[i])).empty()) {
            return false;
        }
    }
    return true;
}
