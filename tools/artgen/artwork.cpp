#include "artwork.h"

#include "dib_files.h"
#include "drawings.h"
#include "palette.h"

namespace k7x::artgen {

std::vector<ArtFile> RenderArtwork() {
  const IndexedImage icons[] = {
      Quantize(DrawAppIcon(32, false), StandardPalette(), 4),
      Quantize(DrawAppIcon(16, false), StandardPalette(), 4),
      Quantize(DrawAppIcon(32, true), ArtPalette(), 8),
      Quantize(DrawAppIcon(16, true), ArtPalette(), 8),
  };
  return {
      {"side.bmp", BmpFile(Quantize(DrawSidePicture(), ArtPalette(), 8))},
      {"logo.bmp", BmpFile(Quantize(DrawLogo(), ArtPalette(), 8))},
      {"setup.ico", IcoFile(icons)},
  };
}

}  // namespace k7x::artgen
