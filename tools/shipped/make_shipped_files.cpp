// Writes the files the program folder ships with: the answering settings seed, the arrival sound,
// the two window icons and the pictures of the answering switches. Everything is drawn or computed
// here.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/answering_settings.h"

namespace {

void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A soft two-note chime, 16-bit mono PCM.
std::string chime() {
    const int rate = 22050;
    std::vector<std::int16_t> samples;
    for (double freq : {880.0, 1318.5}) {
        int n = rate / 5;
        for (int i = 0; i < n; ++i) {
            double t = static_cast<double>(i) / rate;
            double envelope = std::exp(-6.0 * t) * std::min(1.0, i / 200.0);
            samples.push_back(static_cast<std::int16_t>(12000 * envelope * std::sin(2 * M_PI * freq * t)));
        }
    }
    std::string wav = "RIFF";
    std::uint32_t data_size = static_cast<std::uint32_t>(samples.size() * 2);
    put32(wav, 36 + data_size);
    wav += "WAVEfmt ";
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, 1);
    put32(wav, rate);
    put32(wav, rate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav += "data";
    put32(wav, data_size);
    for (auto s : samples) put16(wav, static_cast<std::uint16_t>(s));
    return wav;
}

// A BITMAPINFOHEADER: one plane, no compression, no palette.
std::string info_header(int width, int height, int bits, std::size_t image_size, std::uint32_t pixels_per_metre) {
    std::string header;
    put32(header, 40);
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    put16(header, 1);
    put16(header, static_cast<std::uint16_t>(bits));
    put32(header, 0);
    put32(header, static_cast<std::uint32_t>(image_size));
    put32(header, pixels_per_metre);
    put32(header, pixels_per_metre);
    put32(header, 0);
    put32(header, 0);
    return header;
}

// A 32 x 32 envelope on a round badge of the given colour, as a one-image ICO file.
std::string icon(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int size = 32;
    std::string pixels;  // BGRA, bottom-up
    for (int row = size - 1; row >= 0; --row) {
        for (int x = 0; x < size; ++x) {
            double dx = x - 15.5, dy = row - 15.5;
            bool badge = dx * dx + dy * dy <= 15.5 * 15.5;
            bool envelope = x >= 7 && x <= 24 && row >= 10 && row <= 22;
            bool flap = envelope && std::abs((row - 10) - std::abs(x - 15.5) * 0.7) < 1.0;
            std::uint8_t pr = r, pg = g, pb = b, pa = badge ? 255 : 0;
            if (envelope) pr = pg = pb = 250;
            if (flap) pr = pg = pb = 90;
            pixels.push_back(static_cast<char>(pb));
            pixels.push_back(static_cast<char>(pg));
            pixels.push_back(static_cast<char>(pr));
            pixels.push_back(static_cast<char>(pa));
        }
    }
    std::string mask(static_cast<std::size_t>(size * size / 8), '\0');
    // An icon's bitmap is twice as high: the colours, then the mask.
    std::string bmp = info_header(size, size * 2, 32, pixels.size() + mask.size(), 0) + pixels + mask;
    std::string ico;
    put16(ico, 0);
    put16(ico, 1);
    put16(ico, 1);
    ico.push_back(static_cast<char>(size));
    ico.push_back(static_cast<char>(size));
    ico.push_back(0);
    ico.push_back(0);
    put16(ico, 1);
    put16(ico, 32);
    put32(ico, static_cast<std::uint32_t>(bmp.size()));
    put32(ico, 22);
    return ico + bmp;
}

// A 24-bit BMP of a round metallic push button on the windows' face colour, with a black play
// triangle or a pause sign of two bars: the answering switches' pictures.
enum class Sign { Play, Pause };
std::string switch_picture(int width, int height, Sign sign) {
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0, radius = std::min(width, height) / 2.0 - 1.5;
    std::string pixels;  // BGR, bottom-up, rows padded to four bytes
    for (int row = height - 1; row >= 0; --row) {
        std::size_t start = pixels.size();
        for (int x = 0; x < width; ++x) {
            double dx = x - cx, dy = row - cy;
            double distance = std::sqrt(dx * dx + dy * dy);
            double r = 236, g = 233, b = 216;  // the face colour around the button
            if (distance <= radius) {
                // Light from the top left: a steel gradient, darker towards the rim.
                double shade = 0.5 - (dx + dy) / (4 * radius);
                double grey = 120 + 120 * shade - (distance > radius - 2 ? 60 : 0);
                r = g = b = std::clamp(grey, 40.0, 250.0);
                bool mark = false;
                if (sign == Sign::Play) {
                    double left = cx - radius * 0.3, right = cx + radius * 0.45;
                    double half = (right - x) / (right - left) * radius * 0.45;
                    mark = x >= left && x <= right && std::abs(dy) <= half;
                } else {
                    double bar = radius * 0.18, gap = radius * 0.16, tall = radius * 0.45;
                    mark = std::abs(dy) <= tall && ((dx >= -gap - bar && dx <= -gap) || (dx >= gap && dx <= gap + bar));
                }
                if (mark) r = g = b = 0;
            }
            for (double channel : {b, g, r}) pixels.push_back(static_cast<char>(static_cast<unsigned char>(channel)));
        }
        while ((pixels.size() - start) % 4 != 0) pixels.push_back('\0');
    }
    std::string bmp = "BM";
    put32(bmp, static_cast<std::uint32_t>(54 + pixels.size()));
    put32(bmp, 0);
    put32(bmp, 54);
    return bmp + info_header(width, height, 24, pixels.size(), 2835) + pixels;  // 72 dpi
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-shipped-files OUTPUT_FOLDER\n");
        return 2;
    }
    std::filesystem::path system = std::filesystem::path(argv[1]) / "SYSTEM_F";
    std::filesystem::create_directories(system);
    write(system / "SETTEI_O.txt", tv::answering_settings_record(tv::default_answering_settings()));
    write(system / "JUSIN.WAV", chime());
    write(system / "TLVN.ico", icon(40, 90, 180));   // the normal window
    write(system / "TLVG.ico", icon(210, 70, 40));   // mail came while the answering mode ran
    write(system / "BTN_PL.bmp", switch_picture(46, 46, Sign::Play));   // a switch that is stopped
    write(system / "BTN_PA.bmp", switch_picture(47, 46, Sign::Pause));  // a switch that runs
    return 0;
}
