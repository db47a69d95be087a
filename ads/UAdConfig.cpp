#include "UAdConfig.h"

#include <QUrl>
#include <QXmlStreamReader>

#include <memory>
#include <optional>
#include <vector>

namespace {

// Just enough of a document tree to look elements up by name and children by
// position, the way the file is addressed.
struct TXmlNode
{
    QString Name;
    // Only the attributes the file defines are kept.
    std::optional<QString> Value, Title, Count;
    std::vector<std::unique_ptr<TXmlNode>> Children;

    const TXmlNode *Child(const QString &name) const
    {
        for (const auto &child : Children)
            if (child->Name == name)
                return child.get();
        return nullptr;
    }
    const std::optional<QString> &Attribute(const QString &name) const
    {
        static const std::optional<QString> none;
        return name == QLatin1String("Value") ? Value
            : name == QLatin1String("Title")  ? Title
            : name == QLatin1String("Count")  ? Count
                                              : none;
    }
    void Keep(const QXmlStreamAttributes &attributes)
    {
        for (const QXmlStreamAttribute &attribute : attributes) {
            std::optional<QString> *slot = attribute.name() == QLatin1String("Value") ? &Value
                : attribute.name() == QLatin1String("Title")                          ? &Title
                : attribute.name() == QLatin1String("Count")                          ? &Count
                                                                                      : nullptr;
            if (slot)
                *slot = attribute.value().toString();
        }
    }
};

// The file uses three levels: "Root", its "Parameter" and "HttpList", and
// their children. Deeper elements are skipped without being kept, and a
// document nested far deeper is not one of ours.
constexpr size_t kKeptDepth = 3;
constexpr size_t kMaxDepth = 32;
// The XML reader checks each attribute against all earlier ones of its
// element, so a megabyte of attributes on one element would hold the window
// for many seconds. Our elements have one or two.
constexpr int kMaxAttributes = 16;

// Whether any start tag holds more attributes than that: counts the '=' of
// each tag outside quoted values.
bool HasAttributeFlood(const QByteArray &xml)
{
    bool inTag = false;
    char quote = 0;
    int equals = 0;
    for (const char c : xml) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (!inTag) {
            if (c == '<') {
                inTag = true;
                equals = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            inTag = false;
        } else if (c == '=' && ++equals > kMaxAttributes) {
            return true;
        }
    }
    return false;
}

// Builds the tree without recursion, so deep nesting cannot exhaust the stack.
std::unique_ptr<TXmlNode> ParseDocument(const QByteArray &xml)
{
    if (HasAttributeFlood(xml))
        return nullptr;
    QXmlStreamReader reader(xml);
    std::unique_ptr<TXmlNode> root;
    std::vector<TXmlNode *> open; // null for elements that are not kept
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (open.size() >= kMaxDepth)
                return nullptr;
            if (open.size() >= kKeptDepth || (!open.empty() && !open.back())) {
                open.push_back(nullptr);
                continue;
            }
            auto node = std::make_unique<TXmlNode>();
            node->Name = reader.name().toString();
            node->Keep(reader.attributes());
            TXmlNode *raw = node.get();
            if (open.empty())
                root = std::move(node);
            else
                open.back()->Children.push_back(std::move(node));
            open.push_back(raw);
        } else if (reader.isEndElement() && !open.empty()) {
            open.pop_back();
        }
    }
    if (reader.hasError())
        return nullptr;
    return root;
}

std::optional<int> ToInteger(const std::optional<QString> &text)
{
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QString> ParameterText(const TXmlNode *parameters, const char *name)
{
    const TXmlNode *node = parameters ? parameters->Child(QLatin1String(name)) : nullptr;
    return node ? node->Attribute(QStringLiteral("Value")) : std::nullopt;
}

// The six parameters in their order; false where the reading ends.
bool ReadParameters(const TXmlNode *parameters, TAdConfig &config)
{
    int *const integers[] = {&config.AdWidth, &config.AdHeight, &config.StartPlayInterval, &config.MaxPalyNum,
                             &config.AdInterval};
    const char *const names[] = {"AdWidth", "AdHeight", "StartPlayInterval", "MaxPalyNum", "AdInterval"};
    for (int i = 0; i < 5; ++i) {
        const std::optional<int> value = ToInteger(ParameterText(parameters, names[i]));
        if (!value)
            return false;
        *integers[i] = *value;
    }
    const std::optional<QString> countHttp = ParameterText(parameters, "CountHttp");
    if (!countHttp)
        return false;
    // A counting page that is not a web address is no counting page.
    config.CountHttp = IsWebAddress(*countHttp) ? countHttp->trimmed() : QString();
    config.FormWidth = config.AdWidth;
    config.FormHeight = config.AdHeight;
    return true;
}

void ReadAds(const TXmlNode *list, bool isBrowser, TAdConfig &config)
{
    const std::optional<int> count = ToInteger(list ? list->Attribute(QStringLiteral("Count")) : std::nullopt);
    if (!count)
        return;
    const int wanted = qMin(*count, kMaxAdCount);
    for (int i = 0; i < wanted; ++i) {
        if (i >= int(list->Children.size()))
            return;
        const TXmlNode &ad = *list->Children[size_t(i)];
        const std::optional<QString> url = ad.Attribute(QStringLiteral("Value"));
        if (!url)
            return;
        std::optional<QString> title;
        if (!isBrowser) {
            title = ad.Attribute(QStringLiteral("Title"));
            if (!title)
                return;
        }
        if (!IsWebAddress(*url))
            continue;
        config.Urls.append(url->trimmed());
        if (!isBrowser)
            config.Titles.append(*title);
    }
}

} // namespace

TAdConfig ReadAdConfig(const QByteArray &xml, bool isBrowser)
{
    TAdConfig config;
    if (xml.size() > kMaxAdConfigBytes)
        return config;
    const std::unique_ptr<TXmlNode> root = ParseDocument(xml);
    if (!root || root->Name != QLatin1String("Root"))
        return config;
    if (ReadParameters(root->Child(QStringLiteral("Parameter")), config))
        ReadAds(root->Child(QStringLiteral("HttpList")), isBrowser, config);
    return config;
}

bool IsWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid()
        && (scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0
            || scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0)
        && !url.host().isEmpty();
}

bool IsWebAddress(const QString &text)
{
    return IsWebAddress(QUrl(text.trimmed(), QUrl::StrictMode));
}
