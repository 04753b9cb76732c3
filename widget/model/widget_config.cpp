#include "widget/model/widget_config.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string_view>

#include "widget/model/file_store.h"
#include "widget/model/text_fields.h"

namespace snippo {

namespace {

constexpr std::string_view kDescriptionBegin = "========== Description Part Begin ==========";
constexpr std::string_view kDescriptionEnd = "========== Description Part End ==========";
constexpr std::string_view kParameterBegin = "========== Parameter Part Begin ==========";
constexpr std::string_view kParameterEnd = "========== Parameter Part End ==========";
constexpr std::string_view kResourceBegin = "========== Resource Part Begin ==========";
constexpr std::string_view kResourceEnd = "========== Resource Part End ==========";
constexpr std::string_view kHtmlBegin = "========== HTML Part Begin ==========";
constexpr std::string_view kHtmlEnd = "========== HTML Part End ==========";
constexpr std::string_view kSegmentEnd = "===== Segment End =====";

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::string_view Trim(std::string_view s)
{
    const char* blanks = " \t\r\n\v\f";
    std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

// The value of a decimal count, taken modulo 65536 as the format's 16-bit counts are.
std::size_t Count16(std::string_view text)
{
    return static_cast<std::uint16_t>(ParseInt(Trim(text)));
}

// Reads text line by line, from memory or streamed from a file through a small buffer: a
// line ends at LF or CR LF, without the line end. A line stays valid until the next call.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}
    explicit LineReader(int fd) : m_fd(fd), m_buffer(kChunk, '\0') {}

    bool Next(std::string_view& line)
    {
        std::size_t lf;
        while ((lf = m_text.find('\n', m_scanned)) == std::string_view::npos) {
            m_scanned = m_text.size();
            if (!Refill())
                break;
        }
        if (m_pos >= m_text.size())
            return false;
        const std::size_t end = lf == std::string_view::npos ? m_text.size() : lf;
        line = m_text.substr(m_pos, end - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_pos = m_scanned = lf == std::string_view::npos ? m_text.size() : lf + 1;
        return true;
    }
    // Skips to the line that equals `marker`; false at the end of the text.
    bool SkipTo(std::string_view marker)
    {
        std::string_view line;
        while (Next(line))
            if (EqualsNoCase(line, marker))
                return true;
        return false;
    }
    bool ReadFailed() const { return m_failed; }

private:
    static constexpr std::size_t kChunk = 1 << 16;

    // Keeps the unread part, then reads more behind it; false at the end of the file.
    bool Refill()
    {
        if (m_fd < 0)
            return false;
        const std::size_t kept = m_text.size() - m_pos;
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, kept);
        m_scanned -= m_pos;
        m_pos = 0;
        if (kept == m_buffer.size())
            m_buffer.resize(2 * m_buffer.size());  // a line longer than the buffer
        ssize_t n;
        do
            n = ::read(m_fd, m_buffer.data() + kept, m_buffer.size() - kept);
        while (n < 0 && errno == EINTR);
        m_failed = n < 0;
        m_text = std::string_view(m_buffer.data(), kept + static_cast<std::size_t>(n > 0 ? n : 0));
        if (n <= 0)
            m_fd = -1;
        return n > 0;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_scanned = 0;  // no line end before here
    int m_fd = -1;              // while more is to be read
    std::string m_buffer;
    bool m_failed = false;
};

// Splits "key = value" at the first '='; false when the line has none.
bool SplitKeyValue(std::string_view line, std::string_view& key, std::string_view& value)
{
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return true;
}

// Reads key/value lines into `map` up to `endMarker`; false when the text ended first.
bool ReadMapPart(LineReader& in, std::map<std::string, std::string>& map, std::string_view endMarker)
{
    std::string_view line, key, value;
    while (in.Next(line)) {
        if (EqualsNoCase(line, endMarker))
            return true;
        if (!SplitKeyValue(line, key, value))
            continue;
        // The writer puts keys in order: such a key goes in at the map's end in constant
        // time, which keeps reading a large file linear.
        if (map.empty() || std::prev(map.end())->first < key)
            map.emplace_hint(map.end(), key, value);
        else
            map[std::string(key)] = std::string(value);
    }
    return false;
}

template <class Out>
void AppendMapPart(Out& out, const std::map<std::string, std::string>& map, std::string_view begin,
                   std::string_view end)
{
    out.append(begin).append("\r\n");
    for (const auto& [key, value] : map)
        out.append(key).append(" = ").append(value).append("\r\n");
    out.append(end).append("\r\n\r\n");
}

// The file's text into `out`, a string or a ContentSink.
template <class Out> void FormatParts(const CWidgetConfig& config, Out& out)
{
    AppendMapPart(out, config.m_mapDescription, kDescriptionBegin, kDescriptionEnd);
    AppendMapPart(out, config.m_mapParameters, kParameterBegin, kParameterEnd);

    out.append(kResourceBegin).append("\r\n");
    out.append("Resource Number = ").append(std::to_string(config.m_arrResources.size() % 65536)).append("\r\n");
    for (const ResourceEntry& e : config.m_arrResources)
        out.append(e.strName).append("=").append(e.strLocalPath).append("=").append(e.strWebPath).append("\r\n");
    out.append(kResourceEnd).append("\r\n\r\n");

    out.append(kHtmlBegin).append("\r\n");
    out.append("Segment Number = ").append(std::to_string(config.m_arrSegments.size() % 65536)).append("\r\n");
    for (const HtmlSegment& s : config.m_arrSegments) {
        out.append("Segment Position = ").append(s.strPosition).append("\r\n");
        out.append(s.strBody);
        out.append(kSegmentEnd).append("\r\n");
    }
    out.append(kHtmlEnd).append("\r\n\r\n");
}

}  // namespace

double CWidgetConfig::GetLastUpdateTime()
{
    // from_chars reads "." whatever the process locale: a Qt program switches the C
    // library to the user's locale, where strtod would stop at the decimal point.
    const std::string text = Description("LastUpdateTime");
    std::string_view digits = text;
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    double time = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), time);
    return ec == std::errc() || ec == std::errc::result_out_of_range ? time : 0;
}

int CWidgetConfig::SetLastUpdateTime(double time)
{
    // Nine decimals with "." in any locale; the largest double needs some 320 digits.
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, time, std::chars_format::fixed, 9);
    return SetDescription("LastUpdateTime", std::string(text, result.ptr));
}

std::string CWidgetConfig::GetParameter(const std::string& key, const std::string& def) const
{
    auto it = m_mapParameters.find(key);
    return it == m_mapParameters.end() ? def : it->second;
}

int CWidgetConfig::SetParameter(const std::string& key, const std::string& value)
{
    m_mapParameters[key] = value;
    return 1;
}

int CWidgetConfig::AddResource(const std::string& name, const std::string& localPath, const std::string& webPath)
{
    m_arrResources.push_back(ResourceEntry{name, localPath, webPath});
    return 1;
}

std::string CWidgetConfig::GetResourceName(std::int16_t index) const
{
    return index >= 0 && index < GetResourceCount() ? m_arrResources[index].strName : std::string();
}

std::string CWidgetConfig::GetResourceLocalPath(std::int16_t index) const
{
    return index >= 0 && index < GetResourceCount() ? m_arrResources[index].strLocalPath : std::string();
}

std::string CWidgetConfig::GetResourceWebPath(std::int16_t index) const
{
    return index >= 0 && index < GetResourceCount() ? m_arrResources[index].strWebPath : std::string();
}

std::string CWidgetConfig::GetResourceLocalPathByName(const std::string& name) const
{
    for (const ResourceEntry& e : m_arrResources)
        if (e.strName == name)
            return e.strLocalPath;
    return {};
}

std::string CWidgetConfig::GetResourceWebPathByName(const std::string& name) const
{
    for (const ResourceEntry& e : m_arrResources)
        if (e.strName == name)
            return e.strWebPath;
    return {};
}

int CWidgetConfig::SetAllResourceLocalPaths(const std::string& path)
{
    for (ResourceEntry& e : m_arrResources)
        e.strLocalPath = path;
    return 1;
}

void CWidgetConfig::AddSegment(const std::string& position, const std::string& body)
{
    m_arrSegments.push_back(HtmlSegment{position, body});
}

std::string CWidgetConfig::Format() const
{
    std::string out;
    std::size_t size = 1024;
    for (const auto& [k, v] : m_mapParameters)
        size += k.size() + v.size() + 5;
    for (const auto& s : m_arrSegments)
        size += s.strBody.size() + s.strPosition.size() + 48;
    size += m_arrResources.size() * 64;
    out.reserve(size);
    FormatParts(*this, out);
    return out;
}

namespace {

// The parts of the file in order, merged into `config`.
void ParseParts(LineReader& in, CWidgetConfig& config)
{
    std::string_view line, key, value;

    if (!in.SkipTo(kDescriptionBegin) || !ReadMapPart(in, config.m_mapDescription, kDescriptionEnd))
        return;
    if (!in.SkipTo(kParameterBegin) || !ReadMapPart(in, config.m_mapParameters, kParameterEnd))
        return;

    if (!in.SkipTo(kResourceBegin))
        return;
    bool resourcesDone = false;
    while (!resourcesDone && in.Next(line)) {
        if (EqualsNoCase(line, kResourceEnd))
            break;  // no count: the list stays as it was
        if (!SplitKeyValue(line, key, value) || !EqualsNoCase(key, "Resource Number"))
            continue;
        const std::size_t n = Count16(value);
        config.m_arrResources.resize(n);
        std::size_t read = 0;
        while (read < n && in.Next(line)) {
            // Entries end at the part's end marker, whatever the count promised.
            if (EqualsNoCase(line, kResourceEnd)) {
                resourcesDone = true;
                break;
            }
            std::size_t first = line.find('=');
            if (first == std::string_view::npos)
                continue;
            std::size_t last = line.rfind('=');
            ResourceEntry& e = config.m_arrResources[read++];
            e.strName = Trim(line.substr(0, first));
            if (first == last) {
                e.strLocalPath = Trim(line.substr(first + 1));
                e.strWebPath.clear();
            } else {
                e.strLocalPath = Trim(line.substr(first + 1, last - first - 1));
                e.strWebPath = Trim(line.substr(last + 1));
            }
        }
        if (!resourcesDone && !in.SkipTo(kResourceEnd))
            return;
        resourcesDone = true;
    }

    if (!in.SkipTo(kHtmlBegin))
        return;
    std::size_t m = 0;
    bool counted = false;
    while (!counted && in.Next(line))
        if (SplitKeyValue(line, key, value) && EqualsNoCase(key, "Segment Number")) {
            m = Count16(value);
            counted = true;
        }
    if (!counted)
        return;
    config.m_arrSegments.resize(m);
    for (std::size_t i = 0; i < m; ++i) {
        bool found = false;
        while (!found && in.Next(line))
            found = SplitKeyValue(line, key, value) && EqualsNoCase(key, "Segment Position");
        if (!found)
            return;
        HtmlSegment& s = config.m_arrSegments[i];
        s.strPosition = value;
        s.strBody.clear();
        while (in.Next(line) && !EqualsNoCase(line, kSegmentEnd))
            s.strBody.append(line).append("\r\n");
    }
}

}  // namespace

void CWidgetConfig::Parse(const std::string& text)
{
    LineReader in(text);
    ParseParts(in, *this);
}

bool CWidgetConfig::ReadFile(const std::string& path)
{
    // Streamed: a whole-file buffer would cost fresh pages for every large file read.
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return false;
    LineReader in(fd);
    ParseParts(in, *this);
    // The rest is read to the end, so that an error anywhere in the file is seen.
    std::string_view line;
    while (in.Next(line)) {}
    ::close(fd);
    return !in.ReadFailed();
}

bool CWidgetConfig::WriteFile(const std::string& path) const
{
    return SaveFileContents(path, [this](ContentSink& out) { FormatParts(*this, out); });
}

}  // namespace snippo
