// The soundtrack's instruments. Each renders one note of the score, adding it
// into a buffer at the note's start; gains are the instrument's level in the
// mix. Noise comes from the generator's LCG, so every render is the same.
#pragma once

#include "tools/showgen/random.h"
#include "tools/showgen/score.h"
#include "tools/showgen/synth.h"

namespace showgen {

void renderPadNote(const NoteEvent& note, StereoBuffer& out, float gain);
void renderBassNote(const NoteEvent& note, std::vector<float>& out, float gain);
// Bright detuned lead; `soft` gives the rounder voice of the break.
void renderLeadNote(const NoteEvent& note, std::vector<float>& out, float gain, bool soft);
void renderPluckNote(const NoteEvent& note, StereoBuffer& out, float gain);

void renderKick(const NoteEvent& hit, std::vector<float>& out, float gain, Lcg& random);
void renderSnare(const NoteEvent& hit, StereoBuffer& out, float gain, Lcg& random);
void renderHat(const NoteEvent& hit, StereoBuffer& out, float gain, bool open, Lcg& random);
void renderCrash(const NoteEvent& hit, StereoBuffer& out, float gain, Lcg& random);
// A noise sweep rising through the whole event, ending on the next downbeat.
void renderRiser(const NoteEvent& event, StereoBuffer& out, float gain, Lcg& random);

}  // namespace showgen
