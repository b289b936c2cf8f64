// Row reversal, red/blue swap and the aligned pixel buffers.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/pixel_buffer.h"

namespace {

// rows x rowBytes bytes where every byte of row r holds 'A' + r.
std::vector<unsigned char> Rows(int rows, int rowBytes)
{
    std::vector<unsigned char> buffer;
    for (int r = 0; r < rows; ++r) buffer.insert(buffer.end(), rowBytes, 'A' + r);
    return buffer;
}

std::string AsText(const std::vector<unsigned char>& buffer, int rowBytes)
{
    std::string text;
    for (size_t i = 0; i < buffer.size(); i += rowBytes) text += static_cast<char>(buffer[i]);
    return text;
}

}  // namespace

TEST(FlipRows, TwoRowsSwap)
{
    std::vector<unsigned char> buffer = Rows(2, 9);  // 3 pixels wide: rows M, N
    FlipRows(buffer.data(), 9, 2);
    EXPECT_EQ(AsText(buffer, 9), "BA");
    EXPECT_EQ(std::vector<unsigned char>(buffer.begin(), buffer.begin() + 9),
              std::vector<unsigned char>(9, 'B'));
}

TEST(FlipRows, OddMiddleRowStays)
{
    std::vector<unsigned char> buffer = Rows(3, 9);
    FlipRows(buffer.data(), 9, 3);
    EXPECT_EQ(AsText(buffer, 9), "CBA");
    std::vector<unsigned char> five = Rows(5, 3);
    FlipRows(five.data(), 3, 5);
    EXPECT_EQ(AsText(five, 3), "EDCBA");
}

TEST(FlipRows, OneRowOrEmptyUnchanged)
{
    std::vector<unsigned char> buffer = Rows(1, 12);
    FlipRows(buffer.data(), 12, 1);
    EXPECT_EQ(buffer, Rows(1, 12));
    FlipRows(buffer.data(), 0, 1);
    FlipRows(buffer.data(), 12, 0);
    FlipRows(nullptr, 12, 4);
    EXPECT_EQ(buffer, Rows(1, 12));
}

TEST(FlipRows, LargestSizesStayInsideTheBuffer)
{
    // Exactly rowBytes * rows bytes: any access beyond is caught by ASan.
    std::vector<unsigned char> wide = Rows(2, 65535);
    FlipRows(wide.data(), 65535, 2);
    EXPECT_EQ(AsText(wide, 65535), "BA");
    std::vector<unsigned char> tall(65535);
    for (size_t i = 0; i < tall.size(); ++i) tall[i] = static_cast<unsigned char>(i);
    FlipRows(tall.data(), 1, 65535);
    EXPECT_EQ(tall.front(), static_cast<unsigned char>(65534));
    EXPECT_EQ(tall.back(), 0);
}

TEST(SwapRedBlue, SwapsFirstAndThirdByteOfEachPixel)
{
    std::vector<unsigned char> pixels = {1, 2, 3, 4, 5, 6, 7};
    SwapRedBlue(pixels.data(), 2);
    EXPECT_EQ(pixels, (std::vector<unsigned char>{3, 2, 1, 6, 5, 4, 7}));
    SwapRedBlue(nullptr, 5);
    SwapRedBlue(pixels.data(), 0);
    EXPECT_EQ(pixels[0], 3);
}

TEST(NewPixelBuffer, RowsRoundedToFourBytes)
{
    EXPECT_EQ(AlignedPixelBytes(4, 4), 48u);
    EXPECT_EQ(AlignedPixelBytes(5, 3), 48u);  // 15-byte rows read as 16
    EXPECT_EQ(AlignedPixelBytes(1, 1), 4u);
    EXPECT_EQ(AlignedPixelBytes(0, 4), 0u);
    EXPECT_EQ(AlignedPixelBytes(4, -1), 0u);
    EXPECT_EQ(NewPixelBuffer(0, 3), nullptr);
    unsigned char* pixels = NewPixelBuffer(5, 3);
    ASSERT_NE(pixels, nullptr);
    for (size_t i = 0; i < AlignedPixelBytes(5, 3); ++i) EXPECT_EQ(pixels[i], 0) << i;
    FreePixelBuffer(pixels);
    FreePixelBuffer(nullptr);
}
