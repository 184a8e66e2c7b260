#include "IndexedBitmap.h"

#include <gif_lib.h>

#include <algorithm>

CIndexedBitmap::CIndexedBitmap(int width, int height, uint8_t background)
    : m_nWidth(std::max(width, 1)),
      m_nHeight(std::max(height, 1)),
      m_pixels(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight),
               background) {}

uint8_t CIndexedBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) {
        return 0;
    }
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                    static_cast<std::size_t>(x)];
}

void CIndexedBitmap::SetPixel(int x, int y, uint8_t color) {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) {
        return;
    }
    m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
             static_cast<std::size_t>(x)] = color;
}

void CIndexedBitmap::FillRect(int x, int y, int width, int height, uint8_t color) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            SetPixel(column, row, color);
        }
    }
}

void CIndexedBitmap::FrameRect(int x, int y, int width, int height, uint8_t color) {
    if (width <= 0 || height <= 0) {
        return;
    }
    HorizontalLine(x, x + width - 1, y, color);
    HorizontalLine(x, x + width - 1, y + height - 1, color);
    VerticalLine(x, y, y + height - 1, color);
    VerticalLine(x + width - 1, y, y + height - 1, color);
}

void CIndexedBitmap::HorizontalLine(int x0, int x1, int y, uint8_t color) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
        SetPixel(x, y, color);
    }
}

void CIndexedBitmap::VerticalLine(int x, int y0, int y1, uint8_t color) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
        SetPixel(x, y, color);
    }
}

void CIndexedBitmap::ArrowRight(int x, int y, int size, uint8_t color) {
    for (int step = 0; step < size; ++step) {
        VerticalLine(x - step, y - step / 2, y + step / 2, color);
    }
}

void CIndexedBitmap::ArrowUp(int x, int y, int size, uint8_t color) {
    for (int step = 0; step < size; ++step) {
        HorizontalLine(x - step / 2, x + step / 2, y + step, color);
    }
}

void CIndexedBitmap::Disc(int cx, int cy, int radius, uint8_t color) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (dx * dx + dy * dy <= radius * radius + radius / 2) {
                SetPixel(cx + dx, cy + dy, color);
            }
        }
    }
}

namespace {

int AppendToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    if (length > 0) {
        out->insert(out->end(), data, data + length);
    }
    return length;
}

}  // namespace

std::vector<uint8_t> CIndexedBitmap::EncodeGif(const std::vector<Rgb>& palette) const {
    std::vector<uint8_t> out;
    if (palette.empty() || palette.size() > 256) {
        return out;
    }
    // The table size must be a power of two, at least 2 entries.
    int tableSize = 2;
    while (static_cast<std::size_t>(tableSize) < palette.size()) {
        tableSize *= 2;
    }
    std::vector<GifColorType> colors(static_cast<std::size_t>(tableSize));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colors[i] = GifColorType{palette[i].red, palette[i].green, palette[i].blue};
    }
    ColorMapObject* map = GifMakeMapObject(tableSize, colors.data());
    if (map == nullptr) {
        return out;
    }
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendToVector, &error);
    bool ok = gif != nullptr;
    ok = ok && EGifPutScreenDesc(gif, m_nWidth, m_nHeight, map->BitsPerPixel, 0, map) == GIF_OK;
    ok = ok && EGifPutImageDesc(gif, 0, 0, m_nWidth, m_nHeight, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<std::size_t>(m_nWidth));
    for (int y = 0; ok && y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            row[static_cast<std::size_t>(x)] = std::min<GifPixelType>(
                GetPixel(x, y), static_cast<GifPixelType>(palette.size() - 1));
        }
        ok = EGifPutLine(gif, row.data(), m_nWidth) == GIF_OK;
    }
    if (gif != nullptr && EGifCloseFile(gif, &error) != GIF_OK) {
        ok = false;
    }
    GifFreeMapObject(map);
    if (!ok) {
        out.clear();
    }
    return out;
}
