// Writes the sounds of the demo CD folder: the click sounds of the keys
// (release, press, hover) as short wave files and the background tune as a
// standard MIDI file.
// Usage: makesounds <output folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void putLe(Bytes &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putBe(Bytes &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putText(Bytes &out, const char *text)
{
    for (; *text; ++text)
        out.push_back(static_cast<unsigned char>(*text));
}

bool save(const std::string &path, const Bytes &bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

// A click: a tone that dies away fast, 16-bit mono at 22050 Hz.
Bytes click(double frequency, double milliseconds, double loudness)
{
    constexpr int Rate = 22050;
    const int frames = int(Rate * milliseconds / 1000);
    Bytes data;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / Rate;
        const double envelope = std::exp(-t * 6000 / milliseconds);
        const auto sample = int16_t(loudness * 32767 * envelope * std::sin(2 * M_PI * frequency * t));
        putLe(data, uint16_t(sample), 2);
    }
    Bytes wave;
    putText(wave, "RIFF");
    putLe(wave, uint32_t(36 + data.size()), 4);
    putText(wave, "WAVEfmt ");
    putLe(wave, 16, 4);
    putLe(wave, 1, 2);
    putLe(wave, 1, 2);
    putLe(wave, Rate, 4);
    putLe(wave, Rate * 2, 4);
    putLe(wave, 2, 2);
    putLe(wave, 16, 2);
    putText(wave, "data");
    putLe(wave, uint32_t(data.size()), 4);
    wave.insert(wave.end(), data.begin(), data.end());
    return wave;
}

struct Event {
    uint32_t tick;
    Bytes message;
};

void putVariable(Bytes &out, uint32_t value)
{
    Bytes reversed{static_cast<unsigned char>(value & 0x7F)};
    while (value >>= 7)
        reversed.push_back(static_cast<unsigned char>((value & 0x7F) | 0x80));
    out.insert(out.end(), reversed.rbegin(), reversed.rend());
}

void note(std::vector<Event> &events, int channel, uint32_t start, uint32_t length, int key, int velocity)
{
    events.push_back({start, {static_cast<unsigned char>(0x90 | channel), static_cast<unsigned char>(key),
                              static_cast<unsigned char>(velocity)}});
    events.push_back({start + length, {static_cast<unsigned char>(0x80 | channel), static_cast<unsigned char>(key), 0}});
}

// Eight bars at 100 beats a minute: a vibraphone tune over soft pad chords,
// ending where it can start again.
Bytes tune()
{
    constexpr uint32_t Beat = 96;
    std::vector<Event> events;
    events.push_back({0, {0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0}}); // 600000 us a beat
    events.push_back({0, {0xC0, 11}});                           // vibraphone
    events.push_back({0, {0xC1, 89}});                           // warm pad
    const int chords[4][3] = {{48, 55, 64}, {45, 52, 60}, {41, 48, 57}, {43, 50, 59}}; // C, Am, F, G
    const int melody[32] = {72, 76, 79, 76, 72, 74, 76, 72, 69, 72, 76, 72, 69, 71, 72, 69,
                            65, 69, 72, 69, 65, 67, 69, 72, 67, 71, 74, 71, 67, 69, 71, 67};
    for (int bar = 0; bar < 8; ++bar) {
        const uint32_t start = uint32_t(bar) * 4 * Beat;
        for (int key : chords[bar % 4])
            note(events, 1, start, 4 * Beat - 8, key, 50);
        for (int step = 0; step < 4; ++step)
            note(events, 0, start + uint32_t(step) * Beat, Beat - 12, melody[bar * 4 + step], 80);
    }
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) { return a.tick < b.tick; });

    Bytes track;
    uint32_t now = 0;
    for (const Event &event : events) {
        putVariable(track, event.tick - now);
        track.insert(track.end(), event.message.begin(), event.message.end());
        now = event.tick;
    }
    putVariable(track, 0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    Bytes file;
    putText(file, "MThd");
    putBe(file, 6, 4);
    putBe(file, 0, 2);
    putBe(file, 1, 2);
    putBe(file, Beat, 2);
    putText(file, "MTrk");
    putBe(file, uint32_t(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds <output folder>\n");
        return 2;
    }
    const std::string out = std::string(argv[1]) + "/";
    bool ok = save(out + "PUSC.WAV", click(1800, 30, 0.5));
    ok = save(out + "WCISNIJ.WAV", click(900, 40, 0.6)) && ok;
    ok = save(out + "NAJEDZ.WAV", click(2600, 20, 0.25)) && ok;
    ok = save(out + "TLO.MID", tune()) && ok;
    if (!ok)
        std::fprintf(stderr, "makesounds: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
