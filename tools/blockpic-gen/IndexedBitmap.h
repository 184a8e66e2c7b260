#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit indexed picture with the few drawing operations the block pictures
// need. Every operation clips to the picture, so callers may draw past its edges.
class CIndexedBitmap {
public:
    struct Rgb {
        uint8_t red = 0;
        uint8_t green = 0;
        uint8_t blue = 0;
    };

    CIndexedBitmap(int width, int height, uint8_t background);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    // The colour index at (x, y); 0 outside the picture.
    uint8_t GetPixel(int x, int y) const;

    void SetPixel(int x, int y, uint8_t color);
    // Fills the pixels x .. x + width - 1, y .. y + height - 1.
    void FillRect(int x, int y, int width, int height, uint8_t color);
    // A one-pixel frame around the same pixels.
    void FrameRect(int x, int y, int width, int height, uint8_t color);
    void HorizontalLine(int x0, int x1, int y, uint8_t color);
    void VerticalLine(int x, int y0, int y1, uint8_t color);
    // A filled triangle pointing right, its tip at (x, y), size pixels long.
    void ArrowRight(int x, int y, int size, uint8_t color);
    // The same pointing up, its tip at (x, y).
    void ArrowUp(int x, int y, int size, uint8_t color);
    // A filled disc of the radius around (cx, cy).
    void Disc(int cx, int cy, int radius, uint8_t color);

    // The picture as a GIF file with the palette as its global colour table
    // (at most 256 colours; the table is padded to a power of two). Empty when
    // the encoder fails.
    std::vector<uint8_t> EncodeGif(const std::vector<Rgb>& palette) const;

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<uint8_t> m_pixels;
};
