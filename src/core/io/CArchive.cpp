#include "core/io/CArchive.h"

#include <bit>
#include <cstring>

namespace ondrel {
namespace {

static_assert(std::endian::native == std::endian::little,
              "chart files are little-endian; a big-endian host needs byte swapping here");

template <typename T>
T Decode(const std::uint8_t* bytes) {
    T v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

}  // namespace

CArchive CArchive::ForWriting() {
    CArchive ar;
    ar.storing_ = true;
    return ar;
}

CArchive CArchive::ForReading(std::span<const std::uint8_t> bytes) {
    CArchive ar;
    ar.storing_ = false;
    ar.input_ = bytes;
    return ar;
}

void CArchive::Put(const void* bytes, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    output_.insert(output_.end(), p, p + n);
}

void CArchive::WriteInt32(std::int32_t v) { Put(&v, sizeof v); }
void CArchive::WriteUInt16(std::uint16_t v) { Put(&v, sizeof v); }
void CArchive::WriteUInt32(std::uint32_t v) { Put(&v, sizeof v); }
void CArchive::WriteByte(std::uint8_t v) { Put(&v, sizeof v); }
void CArchive::WriteDouble(double v) { Put(&v, sizeof v); }
void CArchive::WriteDoubles(const double* values, std::size_t count) {
    if (count != 0) Put(values, count * sizeof(double));
}

void CArchive::WriteString(std::string_view s) {
    std::size_t n = s.size();
    if (n < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(n));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteInt32(static_cast<std::int32_t>(n));
    }
    Put(s.data(), n);
}

const std::uint8_t* CArchive::Take(std::size_t n) {
    if (failed_ || storing_ || n > input_.size() - position_) {
        failed_ = true;
        return nullptr;
    }
    const std::uint8_t* p = input_.data() + position_;
    position_ += n;
    return p;
}

std::int32_t CArchive::ReadInt32() {
    const auto* p = Take(4);
    return p ? Decode<std::int32_t>(p) : 0;
}
std::uint16_t CArchive::ReadUInt16() {
    const auto* p = Take(2);
    return p ? Decode<std::uint16_t>(p) : 0;
}
std::uint32_t CArchive::ReadUInt32() {
    const auto* p = Take(4);
    return p ? Decode<std::uint32_t>(p) : 0;
}
std::uint8_t CArchive::ReadByte() {
    const auto* p = Take(1);
    return p ? *p : 0;
}
double CArchive::ReadDouble() {
    const auto* p = Take(8);
    return p ? Decode<double>(p) : 0.0;
}

bool CArchive::ReadDoubles(double* values, std::size_t count) {
    if (!CanRead(count, sizeof(double))) return false;
    if (count == 0) return true;
    const auto* p = Take(count * sizeof(double));
    if (!p) return false;
    std::memcpy(values, p, count * sizeof(double));
    return true;
}

std::string CArchive::ReadString() {
    std::uint64_t n = ReadByte();
    if (n == 0xFF) {
        n = ReadUInt16();
        if (n == 0xFFFF) {
            std::int32_t wide = ReadInt32();
            if (wide < 0) Fail();
            n = wide < 0 ? 0 : static_cast<std::uint64_t>(wide);
        }
    }
    if (failed_ || !CanRead(n, 1)) return {};
    const auto* p = Take(static_cast<std::size_t>(n));
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(n)) : std::string();
}

void CArchive::IoDoubles(std::vector<double>& values) {
    if (storing_) {
        WriteInt32(static_cast<std::int32_t>(values.size()));
        WriteDoubles(values.data(), values.size());
        return;
    }
    std::int32_t n = ReadInt32();
    if (n < 0) Fail();
    if (failed_ || !CanRead(static_cast<std::uint64_t>(n), sizeof(double))) {
        values.clear();
        return;
    }
    values.resize(static_cast<std::size_t>(n));
    ReadDoubles(values.data(), values.size());
}

bool CArchive::CanRead(std::uint64_t count, std::size_t elementSize) {
    if (failed_) return false;
    if (storing_) return true;
    std::uint64_t left = input_.size() - position_;
    if (elementSize != 0 && count > left / elementSize) {
        failed_ = true;
        return false;
    }
    return true;
}

}  // namespace ondrel
