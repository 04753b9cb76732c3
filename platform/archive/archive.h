// Binary object archive used for undo snapshots and the editor's private clipboard data.
//
// Layout: integers are 32-bit (or 16-bit) little-endian words; a text is its byte count as a
// 32-bit word followed by the bytes. An object is written by WriteObject as a tag word:
//   0            a null object
//   kNewObject   followed by the class name (text), the schema (32-bit word) and the object's
//                own Serialize data
//   n (> 0)      a reference to the n-th object (1-based) already written to this archive
// so a reader creates objects by class name and resolves references to objects it has
// already read (the editor's selection refers to objects of the object list).
//
// Reading never trusts the data: every count and length is checked against the bytes that
// remain, nesting through ReadNewObject is bounded, and any violation throws ArchiveError.
// Classes whose objects nest to any depth (the menu tree) frame their objects themselves
// with BeginObject / ReadNewObjectTag and walk them with their own stack, so that neither
// the call stack nor the nesting bound limits how deep the data may go.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace snippo {

class CArchive;

class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Base of every class that an archive can create by name.
class CObject {
public:
    virtual ~CObject() = default;
    virtual const char* GetClassName() const = 0;
    virtual std::uint32_t GetSchema() const = 0;
    virtual void Serialize(CArchive& ar) = 0;
};

// Classes register a factory under their name so that a reader can create them.
using ObjectFactory = std::unique_ptr<CObject> (*)();
void RegisterArchiveClass(const std::string& name, std::uint32_t schema, ObjectFactory create);

// Registers a class at static-initialisation time:  static ArchiveClass<CFoo> reg("CFoo", 1);
template <class T> struct ArchiveClass {
    ArchiveClass(const char* name, std::uint32_t schema)
    {
        RegisterArchiveClass(name, schema, []() -> std::unique_ptr<CObject> { return std::make_unique<T>(); });
    }
};

// Hands the object that `obj` owns on as a T. When it is no T (or `obj` is null) the result
// is null and `obj` keeps what it holds.
template <class T> std::unique_ptr<T> OwnedAs(std::unique_ptr<CObject>& obj)
{
    T* typed = dynamic_cast<T*>(obj.get());
    if (typed)
        (void)obj.release();  // the result owns it from here on, and nothing in between throws
    return std::unique_ptr<T>(typed);
}

class CArchive {
public:
    enum Mode { store, load };

    // A storing archive appends to `buffer`; a loading archive reads it from the start.
    CArchive(std::vector<std::uint8_t>& buffer, Mode mode);
    // A loading archive over data it must not change.
    explicit CArchive(const std::vector<std::uint8_t>& buffer);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    void WriteInt32(std::int32_t v);
    void WriteUInt32(std::uint32_t v) { WriteInt32(static_cast<std::int32_t>(v)); }
    void WriteInt16(std::int16_t v);
    void WriteString(const std::string& s);

    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32() { return static_cast<std::uint32_t>(ReadInt32()); }
    std::int16_t ReadInt16();
    std::string ReadString();

    // Reads a 32-bit count of following records of at least `minRecordBytes` each; throws when
    // the archive cannot hold that many.
    std::uint32_t ReadCount(std::uint32_t minRecordBytes = 4);

    // Storing and loading in one call, for Serialize bodies that are symmetric.
    void Int32(std::int32_t& v)
    {
        if (IsStoring())
            WriteInt32(v);
        else
            v = ReadInt32();
    }
    void UInt32(std::uint32_t& v)
    {
        if (IsStoring())
            WriteUInt32(v);
        else
            v = ReadUInt32();
    }
    void String(std::string& s)
    {
        if (IsStoring())
            WriteString(s);
        else
            s = ReadString();
    }

    void WriteObject(const CObject* obj);
    // Writes the framing of a non-null object: its tag, class name and schema, and numbers
    // it, returning true; the caller then writes its body. An object already written becomes
    // a reference instead, and the result is false.
    bool BeginObject(const CObject* obj);

    // Reads an object that must be new here: the caller owns it. A null object gives null;
    // a reference to an object read earlier throws. `expectedClass`, when given, must be the
    // class name of the object.
    std::unique_ptr<CObject> ReadNewObject(const char* expectedClass = nullptr);
    // Reads a reference to an object read earlier from this archive, owned by whoever took
    // it then. A null object gives null; a new object throws (it would belong to nobody).
    CObject* ReadReference(const char* expectedClass = nullptr);

    // For readers that create objects themselves: reads the framing of an object that must
    // be new here, of class `className` in its registered schema (anything else, a null
    // object or a reference included, throws). The caller creates the object, numbers it
    // with AddReadObject and reads its body.
    void ReadNewObjectTag(const char* className);
    void AddReadObject(CObject* obj) { m_read.push_back(obj); }
    // How many objects this archive has numbered so far; objects numbered from `first` on
    // that have since been deleted are forgotten, so that no reference can resolve to them.
    std::size_t ReadObjectCount() const { return m_read.size(); }
    void ForgetReadObjects(std::size_t first);

    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_in.size() - m_pos; }

    static constexpr std::uint32_t kNewObject = 0xFFFFFFFFu;
    static constexpr int kMaxNesting = 1024;

private:
    void Need(std::size_t bytes);

    const std::vector<std::uint8_t>& m_in;
    std::vector<std::uint8_t>* m_out;  // null when loading
    Mode m_mode;
    std::size_t m_pos = 0;
    int m_depth = 0;
    std::unordered_map<const CObject*, std::uint32_t> m_written;  // storing: object -> index
    std::vector<CObject*> m_read;                                 // loading: index-1 -> object
};

}  // namespace snippo
