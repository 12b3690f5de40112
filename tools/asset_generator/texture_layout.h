#pragma once

// How a fish texture is shared between body and fins. The body takes the left
// part of the image: u runs along the body from the snout (0) to the tail
// root (kBodyUEnd), v around it from the back (0, the top row) down the right
// flank to the belly (0.5) and up the left flank to the back again (1). The
// fins take the right strip: u from the fin's base (kFinUStart) to its edge
// (1), v along the fin's base within a band of its own.

namespace assets {

enum class FinKind { kDorsal, kCaudal, kAnal, kPaired };

struct TextureLayout {
    static constexpr double kBodyUEnd = 0.78;
    static constexpr double kFinUStart = 0.82;
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 256;

    // The v range of a fin kind's band, inset from the band's borders so
    // that filtering never reaches the neighbouring band.
    static constexpr double BandStart(FinKind kind) { return Index(kind) * 0.25 + 0.02; }
    static constexpr double BandEnd(FinKind kind) { return Index(kind) * 0.25 + 0.23; }

    // The fin kind whose band holds v (0..1).
    static constexpr FinKind BandAt(double v) {
        return v < 0.25
                   ? FinKind::kDorsal
                   : (v < 0.5 ? FinKind::kCaudal : (v < 0.75 ? FinKind::kAnal : FinKind::kPaired));
    }

private:
    static constexpr int Index(FinKind kind) { return static_cast<int>(kind); }
};

}  // namespace assets
