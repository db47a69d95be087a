#include "UEcdictBooks.h"

#include <QRegularExpression>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum EColumn { cWord, cPhonetic, cDefinition, cTranslation, cPos, cCollins, cOxford, cTag, cBnc, cFrq, cColumns = 13 };

// One CSV record at a time; quoted fields are unescaped into scratch
// storage, plain ones are views into the file.
class TCsvReader
{
public:
    explicit TCsvReader(const QByteArray &data) : m_p(data.constData()), m_end(data.constData() + data.size()) {}

    bool Next(std::vector<std::string_view> &fields)
    {
        fields.clear();
        m_scratch.clear();
        m_scratch.reserve(16);
        if (m_p >= m_end)
            return false;
        for (;;) {
            if (m_p < m_end && *m_p == '"') {
                ++m_p;
                m_scratch.emplace_back();
                std::string &field = m_scratch.back();
                while (m_p < m_end) {
                    if (*m_p == '"') {
                        if (m_p + 1 < m_end && m_p[1] == '"') {
                            field += '"';
                            m_p += 2;
                            continue;
                        }
                        ++m_p;
                        break;
                    }
                    field += *m_p++;
                }
                // Anything between the closing quote and the separator is kept.
                while (m_p < m_end && *m_p != ',' && *m_p != '\n' && *m_p != '\r')
                    field += *m_p++;
                fields.emplace_back(); // filled below, once m_scratch stops moving
                m_quoted.push_back(fields.size() - 1);
            } else {
                const char *start = m_p;
                while (m_p < m_end && *m_p != ',' && *m_p != '\n' && *m_p != '\r')
                    ++m_p;
                fields.emplace_back(start, size_t(m_p - start));
            }
            if (m_p < m_end && *m_p == ',') {
                ++m_p;
                continue;
            }
            if (m_p < m_end && *m_p == '\r')
                ++m_p;
            if (m_p < m_end && *m_p == '\n')
                ++m_p;
            break;
        }
        for (size_t i = 0; i < m_quoted.size(); ++i)
            fields[m_quoted[i]] = m_scratch[i];
        m_quoted.clear();
        return true;
    }

private:
    const char *m_p;
    const char *m_end;
    std::vector<std::string> m_scratch;
    std::vector<size_t> m_quoted;
};

QString Text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

int Number(std::string_view s)
{
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool HasTag(const QByteArray &tags, const char *tag)
{
    return tags.split(' ').contains(QByteArray(tag));
}

// Ranked words first, the most frequent first.
bool MoreFrequent(const TEcdictEntry *a, const TEcdictEntry *b)
{
    const auto rank = [](int r) { return r > 0 ? r : INT_MAX; };
    if (rank(a->Frq) != rank(b->Frq))
        return rank(a->Frq) < rank(b->Frq);
    if (rank(a->Bnc) != rank(b->Bnc))
        return rank(a->Bnc) < rank(b->Bnc);
    return a->Word < b->Word;
}

bool PrintedBefore(const TEcdictEntry *a, const TEcdictEntry *b)
{
    const int c = a->Word.compare(b->Word, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a->Word < b->Word;
}

bool IsPrimaryWord(const QString &word)
{
    if (word.size() < 3 || word.size() > 5)
        return false;
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

} // namespace

QString FirstSenseLine(const QString &translation)
{
    // Most entries separate their senses with an escaped "\n", but a few carry
    // "\r\n", a lone "\r" or a real line break; any of them ends a sense, so
    // none reaches a meaning the board prints.
    static const QRegularExpression lineBreak(QStringLiteral(R"((\\r\\n|\\n|\\r|\r\n|\n|\r))"));
    for (const QString &line : translation.split(lineBreak)) {
        const QString sense = line.trimmed();
        if (!sense.isEmpty() && !sense.startsWith(QStringLiteral("[网络]")))
            return sense.left(255).trimmed();
    }
    return QString();
}

bool ReadEcdict(const QByteArray &csv, QList<TEcdictEntry> &entries, QString &error)
{
    TCsvReader reader(csv);
    std::vector<std::string_view> fields;
    if (!reader.Next(fields) || fields.size() < cColumns || fields[cWord] != "word" || fields[cTag] != "tag"
        || fields[cOxford] != "oxford" || fields[cFrq] != "frq") {
        error = QStringLiteral("not an ECDICT word list (unexpected header)");
        return false;
    }
    while (reader.Next(fields)) {
        if (fields.size() <= cFrq)
            continue;
        const bool oxford = fields[cOxford] == "1";
        if (fields[cTag].empty() && !oxford)
            continue;
        TEcdictEntry entry;
        entry.Word = Text(fields[cWord]).trimmed();
        entry.Meaning = FirstSenseLine(Text(fields[cTranslation]));
        if (entry.Word.isEmpty() || entry.Word.size() > 255 || entry.Meaning.isEmpty())
            continue;
        entry.Phonetic = Text(fields[cPhonetic]).trimmed().left(200);
        entry.Tags = QByteArray(fields[cTag].data(), qsizetype(fields[cTag].size()));
        entry.Oxford = oxford;
        entry.Bnc = Number(fields[cBnc]);
        entry.Frq = Number(fields[cFrq]);
        entries.append(std::move(entry));
    }
    return true;
}

QList<TDefaultBook> ChooseBooks(const QList<TEcdictEntry> &entries)
{
    struct TRule
    {
        int Id;
        const char16_t *Title;
        int BookClass;
        const char *Tag; // nullptr: the Oxford mark
        int Limit;       // 0: every word
        bool PrimaryOnly;
    };
    static const TRule rules[] = {
        {101, u"《小学英语词汇》", 1, "zk", kPrimaryWordCount, true},
        {102, u"《中考英语词汇》", 2, "zk", 0, false},
        {103, u"《高考英语词汇》", 2, "gk", 0, false},
        {104, u"《大学英语四级词汇》", 3, "cet4", 0, false},
        {105, u"《大学英语六级词汇》", 3, "cet6", 0, false},
        {106, u"《考研英语词汇》", 4, "ky", 0, false},
        {107, u"《雅思词汇》", 6, "ielts", 0, false},
        {108, u"《GRE词汇》", 6, "gre", 0, false},
        {kToeflBookId, u"《最新TOEFL词汇》", 6, "toefl", kToeflWordCount, false},
        {110, u"《牛津3000核心词汇》", 7, nullptr, 0, false},
    };
    QList<TDefaultBook> books;
    for (const TRule &rule : rules) {
        TDefaultBook book;
        book.Id = rule.Id;
        book.Title = QString::fromUtf16(rule.Title);
        book.BookClass = rule.BookClass;
        for (const TEcdictEntry &entry : entries) {
            const bool member = rule.Tag ? HasTag(entry.Tags, rule.Tag) : entry.Oxford;
            if (member && (!rule.PrimaryOnly || IsPrimaryWord(entry.Word)))
                book.Words.append(&entry);
        }
        if (rule.Limit > 0 && book.Words.size() > rule.Limit) {
            std::stable_sort(book.Words.begin(), book.Words.end(), MoreFrequent);
            book.Words.resize(rule.Limit);
        }
        std::stable_sort(book.Words.begin(), book.Words.end(), PrintedBefore);
        books.append(book);
    }
    return books;
}
