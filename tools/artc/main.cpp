// artc: the art pipeline's command. See assets/README.md.
//   artc render MANIFEST WORKDIR [SOURCE-ID]   SVG sources -> 8-bit BMPs
//   artc check MANIFEST                        every rule the show relies on
//   artc sheet MANIFEST OUT.svg                contact sheet of every image
//   artc icon-render SVG SMALL-SVG PALETTE OUTDIR
//                                              the program icon's BMPs, 16 to 256 pixels
//   artc ico OUT.ico BMP...                    packs icon BMPs into a Windows icon
#include <iostream>
#include <string>
#include <vector>

#include "tools/artc/ArtCheck.h"
#include "tools/artc/ArtError.h"
#include "tools/artc/ArtIcon.h"
#include "tools/artc/ArtRender.h"
#include "tools/artc/ArtSheet.h"

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "render" && (argc == 4 || argc == 5)) {
      const int n = RenderAll(LoadManifest(argv[2]), argv[3], argc == 5 ? argv[4] : "");
      std::cout << n << " bitmaps written\n";
      return 0;
    }
    if (command == "check" && argc == 3) {
      const auto problems = CheckAll(LoadManifest(argv[2]));
      for (const auto& p : problems) std::cout << p << "\n";
      std::cout << (problems.empty() ? "art is consistent\n" : "") ;
      return problems.empty() ? 0 : 1;
    }
    if (command == "icon-render" && argc == 6) {
      for (const auto& file : RenderIcon(argv[2], argv[3], argv[4], argv[5]))
        std::cout << file << "\n";
      return 0;
    }
    if (command == "ico" && argc >= 4) {
      WriteIcoFile(argv[2], std::vector<std::string>(argv + 3, argv + argc));
      return 0;
    }
    if (command == "sheet" && argc == 4) {
      WriteContactSheet(LoadManifest(argv[2]), argv[3]);
      return 0;
    }
  } catch (const ArtError& e) {
    std::cerr << "artc: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "usage: artc render MANIFEST WORKDIR [SOURCE] | check MANIFEST | sheet MANIFEST OUT.svg\n"
               "       artc icon-render SVG SMALL-SVG PALETTE OUTDIR | ico OUT.ico BMP...\n";
  return 2;
}
