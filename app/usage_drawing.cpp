#include "app/usage_drawing.h"

#include "app/usage_texts.h"

namespace paylog {
namespace {

constexpr int32_t kFirstPauseMs = 500;
constexpr int32_t kNotePauseMs = 1000;
constexpr int32_t kSayingPauseMs = 3000;
constexpr int32_t kCharacterPauseMs = 90;

// The canvas after the pause, or nullptr when the drawing has to stop.
WritingCanvas* afterPause(const CanvasFinder& canvas, const WaitRoutine& wait, int32_t ms) {
    wait(ms);
    return canvas();
}

}  // namespace

void drawUsageNotes(const CanvasFinder& canvas, const WaitRoutine& wait) {
    static const Text kLineBreak = "\r\n";
    static const Text kBlank = " ";
    const auto& notes = usageNotes();

    WritingCanvas* target = canvas();
    if (!target) return;
    target->moveTo(notes[0].x, notes[0].y);
    target = afterPause(canvas, wait, kFirstPauseMs);
    // The first note goes where the position stands: a drawing started during
    // the first pause may have moved it.
    for (size_t note = 0; note + 1 < notes.size(); ++note) {
        if (!target) return;
        if (note > 0) target->moveTo(notes[note].x, notes[note].y);
        target->write(notes[note].text);
        target->write(kLineBreak);
        target = afterPause(canvas, wait, kNotePauseMs);
    }
    if (!target) return;
    target->moveTo(notes.back().x, notes.back().y);
    target->write(notes.back().text);

    for (const CanvasLine& saying : usageSayings()) {
        target = afterPause(canvas, wait, kSayingPauseMs);
        if (!target) return;
        target->moveTo(saying.x, saying.y);
        for (const Text& piece : splitText(saying.text, kBlank)) {
            target->write(kBlank);
            target = afterPause(canvas, wait, kCharacterPauseMs);
            if (!target) return;
            target->write(piece);
        }
    }
}

}  // namespace paylog
