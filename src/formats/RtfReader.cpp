#include "formats/RtfReader.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Code page 1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar fromCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return {kCp1252High[byte - 0x80]};
    }
    return QLatin1Char(static_cast<char>(byte));
}

// Twips as the text document's pixels (at 96 DPI, 15 twips each).
constexpr double kTwipsPerPixel = 15.0;
// Nesting beyond this is counted, not remembered: a hostile file cannot exhaust memory.
constexpr std::size_t kMaxDepth = 256;
constexpr int kLongestWord = 32;
constexpr int kLongestNumber = 10;

enum class Destination : std::uint8_t { Text, Skip, ColourTable };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;  // 0: the viewer's own size
    int colour = 0;      // index into the colour table; 0: the viewer's own colour

    bool operator==(const CharState&) const = default;
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;  // twips
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct GroupState {
    CharState chars;
    ParagraphState paragraph;
    int unicodeSkip = 1;  // \uc: fallback characters that follow each \u
    Destination destination = Destination::Text;
};

// Words that stand for one character.
constexpr std::array<std::pair<std::string_view, char16_t>, 10> kSymbols{{
    // clang-format off
    {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018},
    {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
    {"enspace", 0x2002}, {"qmspace", 0x2005},
    // clang-format on
}};

// Destinations whose content is not text of the document.
constexpr std::array<std::string_view, 23> kSkippedDestinations{
    "fonttbl",           "stylesheet", "info",         "pict",      "object",   "header",
    "headerl",           "headerr",    "headerf",      "footer",    "footerl",  "footerr",
    "footerf",           "footnote",   "fldinst",      "xe",        "tc",       "listtable",
    "listoverridetable", "rsidtbl",    "latentstyles", "themedata", "datastore"};

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class Reader {
public:
    Reader(const QByteArray& rtf, QTextDocument& document) : data_(rtf), cursor_(&document) {}

    void run() {
        while (pos_ < data_.size()) {
            const char c = data_[pos_++];
            switch (c) {
                case '{':
                    openGroup();
                    break;
                case '}':
                    closeGroup();
                    break;
                case '\\':
                    controlWord();
                    break;
                case '\r':
                case '\n':
                    break;
                default:
                    text(fromCp1252(static_cast<unsigned char>(c)));
                    break;
            }
        }
        endParagraph(false);
    }

private:
    GroupState& state() { return stack_.back(); }

    void openGroup() {
        fallbackLeft_ = 0;
        if (stack_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(stack_.back());
    }

    void closeGroup() {
        fallbackLeft_ = 0;
        if (overflow_ > 0) {
            --overflow_;
        } else if (stack_.size() > 1) {  // a stray closing brace is passed over
            stack_.pop_back();
        }
    }

    // A number after a control word: optional minus, at most ten digits (more are read but
    // do not count), kept within int.
    std::optional<int> number() {
        const bool negative = pos_ < data_.size() && data_[pos_] == '-';
        if (negative) {
            ++pos_;
        }
        long long value = 0;
        int digits = 0;
        while (pos_ < data_.size() && isDigit(data_[pos_])) {
            if (digits++ < kLongestNumber) {
                value = value * 10 + (data_[pos_] - '0');
            }
            ++pos_;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        value = std::min<long long>(value, std::numeric_limits<int>::max());
        return static_cast<int>(negative ? -value : value);
    }

    void controlWord() {
        if (pos_ >= data_.size()) {
            return;  // a backslash at the very end
        }
        const char first = data_[pos_];
        if (!isLetter(first)) {
            ++pos_;
            controlSymbol(first);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < data_.size() && isLetter(data_[pos_])) {
            ++pos_;
        }
        const auto length = std::min<qsizetype>(pos_ - start, kLongestWord);
        const std::string_view name(data_.constData() + start, static_cast<std::size_t>(length));
        const std::optional<int> parameter = number();
        if (pos_ < data_.size() && data_[pos_] == ' ') {
            ++pos_;  // the delimiter belongs to the word
        }
        if (name == "bin") {
            // Raw bytes follow, braces included: they are not RTF.
            pos_ += std::clamp<qsizetype>(parameter.value_or(0), 0, data_.size() - pos_);
            return;
        }
        if (state().destination != Destination::Skip) {
            apply(name, parameter);
        }
    }

    void controlSymbol(char symbol) {
        switch (symbol) {
            case '\'': {
                const int high = pos_ < data_.size() ? hexValue(data_[pos_]) : -1;
                const int low = pos_ + 1 < data_.size() ? hexValue(data_[pos_ + 1]) : -1;
                if (high < 0 || low < 0) {
                    pos_ += high < 0 ? 0 : 1;  // a cut-off escape stands for nothing
                    return;
                }
                pos_ += 2;
                text(fromCp1252(static_cast<unsigned char>(high * 16 + low)));
                break;
            }
            case '\\':
            case '{':
            case '}':
                text(QLatin1Char(symbol));
                break;
            case '~':
                text(QChar(0x00A0));
                break;
            case '_':
                text(QChar(0x2011));
                break;
            case '*':
                state().destination = Destination::Skip;
                break;
            case '\r':
            case '\n':
                if (state().destination == Destination::Text) {
                    endParagraph(true);
                }
                break;
            default:
                break;  // \- (optional hyphen) and unknown symbols show nothing
        }
    }

    using Parameter = std::optional<int>;
    using Action = void (*)(Reader&, GroupState&, Parameter);

    static bool on(Parameter p) { return p.value_or(1) != 0; }

    static void paragraph(Reader& r, GroupState& s, Parameter /*unused*/) {
        if (s.destination == Destination::Text) {
            r.endParagraph(true);
        }
    }

    void apply(std::string_view name, Parameter parameter) {
        static constexpr std::array<std::pair<std::string_view, Action>, 27> kWords{{
            {"par", paragraph},
            {"sect", paragraph},
            {"page", paragraph},
            {"line", [](Reader& r, GroupState&, Parameter) { r.text(QChar::LineSeparator); }},
            {"tab", [](Reader& r, GroupState&, Parameter) { r.text(QLatin1Char('\t')); }},
            {"pard", [](Reader&, GroupState& s, Parameter) { s.paragraph = {}; }},
            {"plain", [](Reader&, GroupState& s, Parameter) { s.chars = {}; }},
            {"b", [](Reader&, GroupState& s, Parameter p) { s.chars.bold = on(p); }},
            {"i", [](Reader&, GroupState& s, Parameter p) { s.chars.italic = on(p); }},
            {"ul", [](Reader&, GroupState& s, Parameter p) { s.chars.underline = on(p); }},
            {"ulnone", [](Reader&, GroupState& s, Parameter) { s.chars.underline = false; }},
            {"fs", [](Reader&, GroupState& s,
                      Parameter p) { s.chars.halfPoints = std::clamp(p.value_or(24), 0, 2000); }},
            {"cf", [](Reader&, GroupState& s,
                      Parameter p) { s.chars.colour = std::max(p.value_or(0), 0); }},
            {"ql",
             [](Reader&, GroupState& s, Parameter) { s.paragraph.alignment = Qt::AlignLeft; }},
            {"qc",
             [](Reader&, GroupState& s, Parameter) { s.paragraph.alignment = Qt::AlignHCenter; }},
            {"qr",
             [](Reader&, GroupState& s, Parameter) { s.paragraph.alignment = Qt::AlignRight; }},
            {"qj",
             [](Reader&, GroupState& s, Parameter) { s.paragraph.alignment = Qt::AlignJustify; }},
            {"li",
             [](Reader&, GroupState& s, Parameter p) {
                 s.paragraph.leftIndent = std::clamp(p.value_or(0), 0, 30000);
             }},
            {"fi",
             [](Reader&, GroupState& s, Parameter p) {
                 s.paragraph.firstIndent = std::clamp(p.value_or(0), -30000, 30000);
             }},
            {"sb",
             [](Reader&, GroupState& s, Parameter p) {
                 s.paragraph.spaceBefore = std::clamp(p.value_or(0), 0, 30000);
             }},
            {"sa",
             [](Reader&, GroupState& s, Parameter p) {
                 s.paragraph.spaceAfter = std::clamp(p.value_or(0), 0, 30000);
             }},
            {"uc", [](Reader&, GroupState& s,
                      Parameter p) { s.unicodeSkip = std::clamp(p.value_or(0), 0, 16); }},
            {"u", [](Reader& r, GroupState&, Parameter p) { r.unicode(p); }},
            {"colortbl",
             [](Reader& r, GroupState& s, Parameter) {
                 s.destination = Destination::ColourTable;
                 r.colours_.clear();
             }},
            {"red", [](Reader& r, GroupState&, Parameter p) { r.colourPart(&QColor::setRed, p); }},
            {"green",
             [](Reader& r, GroupState&, Parameter p) { r.colourPart(&QColor::setGreen, p); }},
            {"blue",
             [](Reader& r, GroupState&, Parameter p) { r.colourPart(&QColor::setBlue, p); }},
        }};
        const auto* const word = std::find_if(kWords.begin(), kWords.end(),
                                              [name](const auto& e) { return e.first == name; });
        if (word != kWords.end()) {
            word->second(*this, state(), parameter);
            return;
        }
        const auto* const symbol = std::find_if(kSymbols.begin(), kSymbols.end(),
                                                [name](const auto& e) { return e.first == name; });
        if (symbol != kSymbols.end()) {
            text(QChar(symbol->second));
        } else if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), name) !=
                   kSkippedDestinations.end()) {
            state().destination = Destination::Skip;
        }
    }

    void unicode(Parameter parameter) {
        if (!parameter) {
            return;
        }
        // A signed 16-bit value: negative numbers stand for the upper half.
        const int code = *parameter < 0 ? *parameter + 65536 : *parameter;
        if (code >= 0 && code <= 0xFFFF) {
            text(QChar(static_cast<char16_t>(code)));
        }
        fallbackLeft_ = state().unicodeSkip;
    }

    void colourPart(void (QColor::*set)(int), Parameter parameter) {
        if (state().destination == Destination::ColourTable) {
            (pendingColour_.*set)(std::clamp(parameter.value_or(0), 0, 255));
            colourStarted_ = true;
        }
    }

    void text(QChar c) {
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;  // the stand-in for a \u character
            return;
        }
        GroupState& s = state();
        if (s.destination == Destination::ColourTable) {
            if (c == QLatin1Char(';')) {
                // An entry without components is the viewer's own colour.
                colours_.push_back(colourStarted_ ? pendingColour_ : QColor());
                pendingColour_ = QColor(0, 0, 0);
                colourStarted_ = false;
            }
            return;
        }
        if (s.destination != Destination::Text) {
            return;
        }
        if (!pending_.isEmpty() && s.chars != pendingChars_) {
            flush();
        }
        pendingChars_ = s.chars;
        pending_.append(c);
    }

    void flush() {
        if (pending_.isEmpty()) {
            return;
        }
        QTextCharFormat format;
        format.setFontWeight(pendingChars_.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(pendingChars_.italic);
        format.setFontUnderline(pendingChars_.underline);
        if (pendingChars_.halfPoints > 0) {
            format.setFontPointSize(pendingChars_.halfPoints / 2.0);
        }
        const auto index = static_cast<std::size_t>(pendingChars_.colour);
        if (index < colours_.size() && colours_[index].isValid()) {
            format.setForeground(colours_[index]);
        }
        cursor_.insertText(pending_, format);
        pending_.clear();
    }

    // The paragraph's properties are those in force at its end.
    void endParagraph(bool another) {
        flush();
        const ParagraphState& p = state().paragraph;
        QTextBlockFormat format;
        format.setAlignment(p.alignment);
        format.setLeftMargin(p.leftIndent / kTwipsPerPixel);
        format.setTextIndent(p.firstIndent / kTwipsPerPixel);
        format.setTopMargin(p.spaceBefore / kTwipsPerPixel);
        format.setBottomMargin(p.spaceAfter / kTwipsPerPixel);
        if (p.firstIndent < 0 && p.leftIndent > 0) {
            // A hanging indent: the first tab reaches the indent, as for a bullet, so the text
            // after it lines up with the wrapped lines. Tab stops count from where the first
            // line starts, which is the first-line indent short of the left indent.
            format.setTabPositions(
                {QTextOption::Tab(-p.firstIndent / kTwipsPerPixel, QTextOption::LeftTab)});
        }
        cursor_.setBlockFormat(format);
        if (another) {
            cursor_.insertBlock();
        }
    }

    const QByteArray& data_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    std::vector<GroupState> stack_{GroupState{}};  // the state outside every group at the bottom
    std::size_t overflow_ = 0;
    int fallbackLeft_ = 0;
    QString pending_;
    CharState pendingChars_;
    std::vector<QColor> colours_;
    QColor pendingColour_{0, 0, 0};
    bool colourStarted_ = false;
};

}  // namespace

void readRtf(const QByteArray& rtf, QTextDocument& document) {
    document.clear();
    if (!rtf.trimmed().startsWith("{\\rtf")) {
        document.setPlainText(QString::fromLocal8Bit(rtf));
        return;
    }
    Reader(rtf, document).run();
}
