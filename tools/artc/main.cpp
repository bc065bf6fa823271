// artc: the art pipeline's command. See assets/README.md.
//   artc render MANIFEST WORKDIR [SOURCE-ID]   SVG sources -> 8-bit BMPs
//   artc check MANIFEST                        every rule the show relies on
//   artc sheet MANIFEST OUT.svg                contact sheet of every image
#include <iostream>
#include <string>

#include "tools/artc/ArtCheck.h"
#include "tools/artc/ArtError.h"
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
    if (command == "sheet" && argc == 4) {
      WriteContactSheet(LoadManifest(argv[2]), argv[3]);
      return 0;
    }
  } catch (const ArtError& e) {
    std::cerr << "artc: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "usage: artc render MANIFEST WORKDIR [SOURCE] | check MANIFEST | sheet MANIFEST OUT.svg\n";
  return 2;
}
