// A bounded little-endian cursor over a byte buffer. Reads never go past the
// limit that is in force: a short read yields zeros and sets the end flag.
#ifndef PLM_ENGINE_CHUNK_CURSOR_H
#define PLM_ENGINE_CHUNK_CURSOR_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class CChunkCursor {
public:
    CChunkCursor(const uint8_t* data, size_t size) : data_(data), size_(size), limit_(size) {}

    size_t Pos() const { return pos_; }
    // Bytes left before the current limit.
    size_t Left() const { return limit_ > pos_ ? limit_ - pos_ : 0; }
    // True once a read wanted more bytes than the limit allowed.
    bool Ended() const { return ended_; }

    // Restricts reads to [Pos(), end); end is clamped to the buffer.
    void SetLimit(size_t end) { limit_ = end < size_ ? end : size_; }
    // Moves to an absolute position, clamped to the current limit.
    void Seek(size_t pos) { pos_ = pos < limit_ ? pos : limit_; }

    bool Bytes(void* out, size_t n)
    {
        if (Left() < n) {
            std::memset(out, 0, n);
            pos_ = limit_ > pos_ ? limit_ : pos_;
            ended_ = true;
            return false;
        }
        std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    uint16_t U16()
    {
        uint8_t b[2];
        Bytes(b, 2);
        return static_cast<uint16_t>(b[0] | (b[1] << 8));
    }
    uint32_t U32()
    {
        uint8_t b[4];
        Bytes(b, 4);
        return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
               (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    }
    float F32()
    {
        uint32_t bits = U32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    void Skip(size_t n)
    {
        if (Left() < n) {
            pos_ = limit_ > pos_ ? limit_ : pos_;
            ended_ = true;
        } else {
            pos_ += n;
        }
    }

    // A zero-terminated string: consumes bytes up to and including the first
    // zero (or to the limit when there is none) and keeps at most maxChars of
    // them. The end flag is set when no terminator was found.
    std::string String(size_t maxChars)
    {
        std::string s;
        while (true) {
            if (Left() == 0) {
                ended_ = true;
                break;
            }
            char c = static_cast<char>(data_[pos_++]);
            if (c == '\0') break;
            if (s.size() < maxChars) s.push_back(c);
        }
        return s;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t limit_;
    size_t pos_ = 0;
    bool ended_ = false;
};

#endif
