#include "platform/archive/archive.h"

#include <cstring>
#include <map>

namespace snippo {

namespace {

struct ClassRecord {
    std::uint32_t schema;
    ObjectFactory create;
};

std::map<std::string, ClassRecord>& ClassRegistry()
{
    static std::map<std::string, ClassRecord> registry;
    return registry;
}

}  // namespace

void RegisterArchiveClass(const std::string& name, std::uint32_t schema, ObjectFactory create)
{
    ClassRegistry()[name] = ClassRecord{schema, create};
}

CArchive::CArchive(std::vector<std::uint8_t>& buffer, Mode mode)
    : m_in(buffer), m_out(mode == store ? &buffer : nullptr), m_mode(mode)
{
}

CArchive::CArchive(const std::vector<std::uint8_t>& buffer) : m_in(buffer), m_out(nullptr), m_mode(load)
{
}

void CArchive::Need(std::size_t bytes)
{
    if (bytes > Remaining())
        throw ArchiveError("Unexpected end of archive data.");
}

void CArchive::WriteInt32(std::int32_t v)
{
    auto u = static_cast<std::uint32_t>(v);
    const std::uint8_t b[4] = {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
    m_out->insert(m_out->end(), b, b + 4);
}

void CArchive::WriteInt16(std::int16_t v)
{
    auto u = static_cast<std::uint16_t>(v);
    m_out->push_back(std::uint8_t(u));
    m_out->push_back(std::uint8_t(u >> 8));
}

void CArchive::WriteString(const std::string& s)
{
    WriteUInt32(static_cast<std::uint32_t>(s.size()));
    m_out->insert(m_out->end(), s.begin(), s.end());
}

std::int32_t CArchive::ReadInt32()
{
    Need(4);
    const std::uint8_t* p = m_in.data() + m_pos;
    m_pos += 4;
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                     std::uint32_t(p[3]) << 24);
}

std::int16_t CArchive::ReadInt16()
{
    Need(2);
    const std::uint8_t* p = m_in.data() + m_pos;
    m_pos += 2;
    return static_cast<std::int16_t>(std::uint16_t(p[0] | p[1] << 8));
}

std::string CArchive::ReadString()
{
    std::uint32_t len = ReadUInt32();
    Need(len);
    std::string s(reinterpret_cast<const char*>(m_in.data() + m_pos), len);
    m_pos += len;
    return s;
}

std::uint32_t CArchive::ReadCount(std::uint32_t minRecordBytes)
{
    std::uint32_t n = ReadUInt32();
    if (minRecordBytes == 0)
        minRecordBytes = 1;
    if (n > Remaining() / minRecordBytes)
        throw ArchiveError("Archive count exceeds the data that follows.");
    return n;
}

void CArchive::WriteObject(const CObject* obj)
{
    if (!obj)
        WriteUInt32(0);
    else if (BeginObject(obj))
        const_cast<CObject*>(obj)->Serialize(*this);
}

bool CArchive::BeginObject(const CObject* obj)
{
    auto it = m_written.find(obj);
    if (it != m_written.end()) {
        WriteUInt32(it->second);
        return false;
    }
    // Register before the body so that objects inside it may refer back to it.
    m_written.emplace(obj, static_cast<std::uint32_t>(m_written.size() + 1));
    WriteUInt32(kNewObject);
    WriteString(obj->GetClassName());
    WriteUInt32(obj->GetSchema());
    return true;
}

void CArchive::ReadNewObjectTag(const char* className)
{
    std::uint32_t tag = ReadUInt32();
    if (tag != kNewObject)
        throw ArchiveError(std::string("Archive holds a ") + className + " that is missing or shared.");
    std::string name = ReadString();
    std::uint32_t schema = ReadUInt32();
    if (name != className)
        throw ArchiveError("Archive holds an object of unexpected class \"" + name + "\".");
    auto rec = ClassRegistry().find(name);
    if (rec == ClassRegistry().end() || schema != rec->second.schema)
        throw ArchiveError("Archive holds class \"" + name + "\" in an unsupported version.");
}

void CArchive::ForgetReadObjects(std::size_t first)
{
    for (std::size_t i = first; i < m_read.size(); ++i)
        m_read[i] = nullptr;
}

CObject* CArchive::ReadReference(const char* expectedClass)
{
    const std::uint32_t tag = ReadUInt32();
    if (tag == 0)
        return nullptr;
    if (tag == kNewObject)
        throw ArchiveError("Archive holds a new object where it must refer to one read before.");
    if (tag > m_read.size() || !m_read[tag - 1])
        throw ArchiveError("Archive refers to an object that it does not hold.");
    CObject* obj = m_read[tag - 1];
    if (expectedClass && std::strcmp(obj->GetClassName(), expectedClass) != 0)
        throw ArchiveError("Archive refers to an object of an unexpected class.");
    return obj;
}

std::unique_ptr<CObject> CArchive::ReadNewObject(const char* expectedClass)
{
    const std::uint32_t tag = ReadUInt32();
    if (tag == 0)
        return nullptr;
    if (tag != kNewObject)
        throw ArchiveError("Archive refers to an object read before where it must hold a new one.");
    std::string name = ReadString();
    std::uint32_t schema = ReadUInt32();
    if (expectedClass && name != expectedClass)
        throw ArchiveError("Archive holds an object of unexpected class \"" + name + "\".");
    auto rec = ClassRegistry().find(name);
    if (rec == ClassRegistry().end())
        throw ArchiveError("Archive holds an object of unknown class \"" + name + "\".");
    if (schema != rec->second.schema)
        throw ArchiveError("Archive holds class \"" + name + "\" in an unsupported version.");
    if (m_depth >= kMaxNesting)
        throw ArchiveError("Archive objects are nested too deeply.");

    std::unique_ptr<CObject> obj = rec->second.create();
    std::size_t slot = m_read.size();
    m_read.push_back(obj.get());
    ++m_depth;
    try {
        obj->Serialize(*this);
    } catch (...) {
        --m_depth;
        // The object and everything read inside it die with it: never hand out a
        // reference to them.
        ForgetReadObjects(slot);
        throw;
    }
    --m_depth;
    return obj;
}

}  // namespace snippo
