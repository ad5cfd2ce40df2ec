#pragma once
// A little-endian byte stream with a direction: what charts are written to and read from.
//
// Writing appends to an in-memory buffer; the chart file layer puts that buffer on disk.
// Reading works over bytes that were read in full beforehand and is bounds-checked: a read
// past the end, or a length or count larger than the bytes left, puts the archive into the
// failed state and yields zero values from then on. Callers check Failed() (and CanRead()
// before allocating for a count), so a damaged file never causes undefined behaviour or an
// unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ondrel {

class CArchive {
public:
    // An archive that stores into its own buffer.
    static CArchive ForWriting();
    // An archive that loads from bytes owned by the caller, which must outlive it.
    static CArchive ForReading(std::span<const std::uint8_t> bytes);

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }

    // Writing. Reserve makes room for what is about to be written, so that a large chart is
    // written without the buffer growing (and copying itself) many times over.
    void Reserve(std::size_t bytes) { output_.reserve(output_.size() + bytes); }
    void WriteInt32(std::int32_t v);
    void WriteUInt16(std::uint16_t v);
    void WriteUInt32(std::uint32_t v);
    void WriteByte(std::uint8_t v);
    void WriteDouble(double v);
    void WriteDoubles(const double* values, std::size_t count);
    // Length prefix: one byte below 255; 0xFF and a uint16 below 65534; otherwise 0xFF,
    // 0xFFFF and an int32. Then the bytes, no terminator.
    void WriteString(std::string_view s);

    // Reading. On failure each returns 0 (or an empty string) and Failed() becomes true.
    std::int32_t ReadInt32();
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    std::uint8_t ReadByte();
    double ReadDouble();
    bool ReadDoubles(double* values, std::size_t count);
    std::string ReadString();

    // Both directions: writes the value when storing, reads into it when loading.
    void Io(std::int32_t& v) { storing_ ? WriteInt32(v) : void(v = ReadInt32()); }
    void Io(std::uint16_t& v) { storing_ ? WriteUInt16(v) : void(v = ReadUInt16()); }
    void Io(std::uint32_t& v) { storing_ ? WriteUInt32(v) : void(v = ReadUInt32()); }
    void Io(std::uint8_t& v) { storing_ ? WriteByte(v) : void(v = ReadByte()); }
    void Io(double& v) { storing_ ? WriteDouble(v) : void(v = ReadDouble()); }
    void Io(std::string& v) { storing_ ? WriteString(v) : void(v = ReadString()); }
    // A flag the file keeps as an int32: written as 0 or 1, any non-zero value reads as set.
    void IoFlag(bool& v) { storing_ ? WriteInt32(v ? 1 : 0) : void(v = ReadInt32() != 0); }
    // A vector of doubles as an int32 count followed by the values.
    void IoDoubles(std::vector<double>& values);

    // True when count elements of elementSize bytes fit in what is left to read. A count
    // that does not fit fails the archive, so callers may simply stop.
    bool CanRead(std::uint64_t count, std::size_t elementSize);
    std::size_t Remaining() const { return storing_ ? 0 : input_.size() - position_; }
    bool AtEnd() const { return Remaining() == 0; }

    void Fail() { failed_ = true; }
    bool Failed() const { return failed_; }

    const std::vector<std::uint8_t>& Buffer() const { return output_; }
    std::vector<std::uint8_t> TakeBuffer() { return std::move(output_); }

private:
    CArchive() = default;
    const std::uint8_t* Take(std::size_t n);  // null (and failed) when n bytes are not there
    void Put(const void* bytes, std::size_t n);

    bool storing_ = true;
    bool failed_ = false;
    std::vector<std::uint8_t> output_;
    std::span<const std::uint8_t> input_;
    std::size_t position_ = 0;
};

}  // namespace ondrel
