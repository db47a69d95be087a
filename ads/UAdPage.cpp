#include "UAdPage.h"

#include "UAdConfig.h"

#include <QHash>
#include <QSet>

namespace {

// What an ad page may keep: plain formatting. Anything else loses its tag and
// keeps its text, unless it is listed as dropped whole.
const QSet<QString> kKeptElements{
    "a",    "abbr", "address", "b",     "big",   "blockquote", "body",  "br",     "caption", "center",
    "cite", "code", "dd",      "del",   "dfn",   "div",        "dl",    "dt",     "em",      "font",
    "h1",   "h2",   "h3",      "h4",    "h5",    "h6",         "head",  "hr",     "html",    "i",
    "img",  "ins",  "kbd",     "li",    "nobr",  "ol",         "p",     "pre",    "q",       "s",
    "samp", "small", "span",   "strike", "strong", "sub",      "sup",   "table",  "tbody",   "td",
    "tfoot", "th",  "thead",   "tr",    "tt",    "u",          "ul",    "var"};
// Elements whose content is no text to show, or that embed other documents.
const QSet<QString> kDroppedWhole{"script", "noscript", "iframe", "object",   "embed",  "applet",   "template",
                                  "svg",    "math",     "title",  "textarea", "select", "frameset", "noframes"};
// Attributes that only format. "src", "href" and "style" are handled apart;
// "background", "srcset" and the like are never kept.
const QSet<QString> kKeptAttributes{"align",  "valign",  "width",       "height",      "color",   "bgcolor",
                                    "face",   "size",    "border",      "cellpadding", "cellspacing", "colspan",
                                    "rowspan", "class",  "id",          "dir",         "lang",    "title",
                                    "alt",    "nowrap",  "start",       "type",        "value",   "name"};
// A width or height beyond this is no layout an ad needs, only a large paint.
constexpr int kMaxImageExtent = 4000;

bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsNameChar(QChar c)
{
    return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' || c == u':';
}

// Character references as they appear in attribute values. What is not
// understood stays as text; since every value is written back escaped, the
// engine then sees it as text too, never as something else.
QString DecodeEntities(const QString &text)
{
    static const QHash<QString, char32_t> named{{"amp", U'&'},  {"lt", U'<'},    {"gt", U'>'},
                                                 {"quot", U'"'}, {"apos", U'\''}, {"nbsp", U'\u00a0'}};
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semi = text[i] == u'&' ? text.indexOf(u';', i + 1) : -1;
        if (semi > i + 1 && semi - i <= 12) {
            const QString name = text.mid(i + 1, semi - i - 1);
            bool ok = true;
            char32_t code = 0;
            if (name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive))
                code = name.mid(2).toUInt(&ok, 16);
            else if (name.startsWith(u'#'))
                code = name.mid(1).toUInt(&ok, 10);
            else
                code = named.value(name.toLower(), 0);
            if (ok && code > 0 && code <= 0x10FFFF) {
                out += QString::fromUcs4(&code, 1);
                i = semi;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

struct TTag
{
    QString Name; // lower case
    QList<QPair<QString, QString>> Attributes; // names in lower case, values decoded
    bool Closing = false;

    QString Value(const QString &name) const
    {
        for (const auto &attribute : Attributes)
            if (attribute.first == name)
                return attribute.second;
        return {};
    }
};

class TPageRebuilder
{
public:
    TPageRebuilder(const QString &html, const QUrl &pageUrl) : m_html(html), m_pageUrl(pageUrl) {}
    TAdPage Rebuild();

private:
    qsizetype readTag(qsizetype pos, TTag &tag) const;
    qsizetype skipPast(qsizetype pos, const QString &text) const;
    qsizetype afterClosing(qsizetype pos, const QString &name) const;
    void writeTag(const TTag &tag);
    QUrl allowedImage(const QString &src) const;

    const QString &m_html;
    const QUrl m_pageUrl;
    QString m_out;
    QList<QUrl> m_images;
};

qsizetype TPageRebuilder::skipPast(qsizetype pos, const QString &text) const
{
    const qsizetype at = m_html.indexOf(text, pos, Qt::CaseInsensitive);
    return at < 0 ? m_html.size() : at + text.size();
}

// The position after "</name ...>", or the end when the element is not closed.
qsizetype TPageRebuilder::afterClosing(qsizetype pos, const QString &name) const
{
    const qsizetype at = m_html.indexOf(QStringLiteral("</") + name, pos, Qt::CaseInsensitive);
    return at < 0 ? m_html.size() : skipPast(at, QStringLiteral(">"));
}

// pos is at '<' followed by a letter, or by '/' and a letter.
qsizetype TPageRebuilder::readTag(qsizetype pos, TTag &tag) const
{
    const qsizetype end = m_html.size();
    ++pos;
    tag.Closing = m_html[pos] == u'/';
    if (tag.Closing)
        ++pos;
    const qsizetype nameStart = pos;
    while (pos < end && IsNameChar(m_html[pos]))
        ++pos;
    tag.Name = m_html.mid(nameStart, pos - nameStart).toLower();
    while (pos < end && m_html[pos] != u'>') {
        if (m_html[pos].isSpace() || m_html[pos] == u'/' || m_html[pos] == u'=') {
            ++pos;
            continue;
        }
        const qsizetype keyStart = pos;
        while (pos < end && !m_html[pos].isSpace() && m_html[pos] != u'=' && m_html[pos] != u'>'
               && m_html[pos] != u'/')
            ++pos;
        QString key = m_html.mid(keyStart, pos - keyStart).toLower();
        while (pos < end && m_html[pos].isSpace())
            ++pos;
        QString value;
        if (pos < end && m_html[pos] == u'=') {
            ++pos;
            while (pos < end && m_html[pos].isSpace())
                ++pos;
            const QChar quote = pos < end ? m_html[pos] : QChar();
            if (quote == u'"' || quote == u'\'') {
                const qsizetype close = m_html.indexOf(quote, pos + 1);
                const qsizetype valueEnd = close < 0 ? end : close;
                value = m_html.mid(pos + 1, valueEnd - pos - 1);
                pos = qMin(end, valueEnd + 1);
            } else {
                const qsizetype valueStart = pos;
                while (pos < end && !m_html[pos].isSpace() && m_html[pos] != u'>')
                    ++pos;
                value = m_html.mid(valueStart, pos - valueStart);
            }
        }
        if (!tag.Closing)
            tag.Attributes.append({std::move(key), DecodeEntities(value)});
    }
    return qMin(end, pos + 1);
}

QUrl TPageRebuilder::allowedImage(const QString &src) const
{
    const QString trimmed = src.trimmed();
    if (trimmed.isEmpty() || !IsWebAddress(m_pageUrl))
        return {};
    const QUrl url = m_pageUrl.resolved(QUrl(trimmed)).adjusted(QUrl::RemoveFragment);
    if (!IsWebAddress(url) || url.host() != m_pageUrl.host())
        return {};
    return url;
}

void TPageRebuilder::writeTag(const TTag &tag)
{
    if (tag.Closing) {
        m_out += QStringLiteral("</") + tag.Name + u'>';
        return;
    }
    QString attributes;
    auto add = [&attributes](const QString &key, const QString &value) {
        attributes += u' ' + key + QStringLiteral("=\"") + value.toHtmlEscaped() + u'"';
    };
    if (tag.Name == QLatin1String("img")) {
        const QUrl image = allowedImage(tag.Value(QStringLiteral("src")));
        // An image that may not be fetched is left out whole: the engine would
        // otherwise try the name as a local file.
        if (!image.isValid() || (!m_images.contains(image) && m_images.size() >= kMaxAdImages))
            return;
        if (!m_images.contains(image))
            m_images.append(image);
        add(QStringLiteral("src"), image.toString(QUrl::FullyEncoded));
    }
    QSet<QString> written{QStringLiteral("src")};
    for (const auto &[key, value] : tag.Attributes) {
        if (written.contains(key))
            continue;
        const bool extent = key == QLatin1String("width") || key == QLatin1String("height");
        if (extent && value.trimmed().toInt() > kMaxImageExtent)
            continue;
        if (kKeptAttributes.contains(key) || (key == QLatin1String("href") && tag.Name == QLatin1String("a")))
            add(key, value);
        else if (key == QLatin1String("style"))
            add(key, FilterAdCss(value));
        else
            continue;
        written.insert(key);
    }
    m_out += u'<' + tag.Name + attributes + u'>';
}

TAdPage TPageRebuilder::Rebuild()
{
    const qsizetype end = m_html.size();
    qsizetype pos = 0;
    while (pos < end) {
        const QChar c = m_html[pos];
        const QChar next = pos + 1 < end ? m_html[pos + 1] : QChar();
        const QChar third = pos + 2 < end ? m_html[pos + 2] : QChar();
        if (c != u'<') {
            m_out += c;
            ++pos;
        } else if (m_html.mid(pos, 4) == QLatin1String("<!--")) {
            pos = skipPast(pos + 4, QStringLiteral("-->"));
        } else if (next == u'!' || next == u'?') {
            pos = skipPast(pos, QStringLiteral(">"));
        } else if (IsAsciiLetter(next) || (next == u'/' && IsAsciiLetter(third))) {
            TTag tag;
            pos = readTag(pos, tag);
            if (tag.Closing) {
                if (kKeptElements.contains(tag.Name))
                    writeTag(tag);
            } else if (tag.Name == QLatin1String("style")) {
                const qsizetype close = m_html.indexOf(QStringLiteral("</style"), pos, Qt::CaseInsensitive);
                const QString css = m_html.mid(pos, (close < 0 ? end : close) - pos);
                m_out += QStringLiteral("<style>") + FilterAdCss(css) + QStringLiteral("</style>");
                pos = afterClosing(pos, tag.Name);
            } else if (kDroppedWhole.contains(tag.Name)) {
                pos = afterClosing(pos, tag.Name);
            } else if (kKeptElements.contains(tag.Name)) {
                writeTag(tag);
            }
        } else {
            // Not a tag here; the engine must not read one either ("< img").
            m_out += QStringLiteral("&lt;");
            ++pos;
        }
    }
    return {m_out, m_images};
}

bool IsRiskyCss(const QString &segment)
{
    // Escapes and character references could spell the words below; '<'
    // could end the style element early.
    static const QStringList needles{"url",   "image", "import", "src", "expression",
                                     "@",     "\\",    "&",      "<"};
    for (const QString &needle : needles)
        if (segment.contains(needle, Qt::CaseInsensitive))
            return true;
    // A resource is always a function; colours are the only ones kept.
    QString rest = segment.toLower();
    for (const char *colour : {"rgba(", "rgb(", "hsla(", "hsl("})
        rest.remove(QLatin1String(colour));
    return rest.contains(u'(');
}

} // namespace

QString FilterAdCss(const QString &css)
{
    // Comments go first, so that none can split a word the check looks for.
    QString text;
    text.reserve(css.size());
    for (qsizetype i = 0; i < css.size(); ++i) {
        if (css[i] == u'/' && i + 1 < css.size() && css[i + 1] == u'*') {
            const qsizetype close = css.indexOf(QStringLiteral("*/"), i + 2);
            if (close < 0)
                break;
            text += u' ';
            i = close + 1;
        } else {
            text += css[i];
        }
    }
    // Every piece between ';', '{' and '}' that could name a resource goes;
    // the separators stay, so no two pieces join into a new word.
    QString out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u';' && text[i] != u'{' && text[i] != u'}')
            continue;
        const QString segment = text.mid(start, i - start);
        if (!IsRiskyCss(segment))
            out += segment;
        if (i < text.size())
            out += text[i];
        start = i + 1;
    }
    return out;
}

TAdPage FilterAdPage(const QString &html, const QUrl &pageUrl)
{
    return TPageRebuilder(html, pageUrl).Rebuild();
}
