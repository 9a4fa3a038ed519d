#pragma once
// What the lens does to the scene: digital zoom into the centre, defocus
// blur and iris brightness, applied to 24-bit pictures.
namespace standin {

class Bitmap24;

// `out` shows the centre 1/zoom of `scene`, stretched over all of it.
void ZoomInto(const Bitmap24& scene, Bitmap24& out, double zoom);
// Box blur of the given radius, horizontally then vertically.
void BoxBlur(Bitmap24& picture, int radius);
// Multiplies every sample by `gain`, saturating at white.
void ApplyGain(Bitmap24& picture, double gain);

}  // namespace standin
