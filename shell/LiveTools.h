#pragma once

#include <cstdint>

namespace tiravel {

// The real-time operations of the tools that the live dispatcher calls for
// each buffer, implemented by the tool windows (each is the drawing operation
// of the tool named in its prefix). Every operation reads the shared analysis
// state itself. Every operation does nothing by default, so a window
// implements only those of its own tool.
class LiveTools {
public:
    virtual ~LiveTools() = default;
    // Real-time spectrum screen (toolMode 1).
    virtual void DrawEnergyRealTime() {}
    virtual void DumpVoiceParams() {}
    // Articulation therapy (2).
    virtual void FindNiceOffset() {}
    virtual void DrawSoundRealTime() {}
    // Phonetogram (6): between two measurements its TimerNop is enabled.
    virtual bool ProfilTimerNopEnabled() const { return false; }
    virtual void AddToProfil(double /*myF0*/, double /*myEnergy*/) {}
    virtual void DrawProfilRealTime() {}
    // Maximum phonation time (7).
    virtual void DrawSound() {}
    // Pitch landmarks and vocal range (8).
    virtual void UpdateF0AndDraw() {}
    // Pitch therapy (9): maxDb is the linear energy of the F0 peak.
    virtual void UpdateF0RealTime(double /*maxDb*/) {}
    // Timbre therapy (10).
    virtual void DrawTimbre() {}
    // Breath therapy (11).
    virtual void DrawSpectrumRealTime() {}
};

} // namespace tiravel
