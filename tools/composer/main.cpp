// brisenfall-compose OUTDIR: writes the show's four built-in pieces,
// music1.mid .. music4.mid, into OUTDIR (created when missing).
#include "pieces.h"
#include "score.h"
#include "smf.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: brisenfall-compose OUTDIR\n");
        return 2;
    }
    const std::vector<std::function<score::Piece()>> pieces{
        pieces::first_snow, pieces::lamplight_nocturne, pieces::music_box_lullaby, pieces::winter_pastorale};
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const score::Piece piece = pieces[i]();
            const std::filesystem::path path = folder / ("music" + std::to_string(i + 1) + ".mid");
            smf::write_file(path, score::render(piece));
            const double length = score::seconds_at(piece, score::end_beat(piece));
            std::printf("%s  \"%s\"  %d:%04.1f\n", path.string().c_str(), piece.title.c_str(),
                        static_cast<int>(length) / 60, length - 60 * (static_cast<int>(length) / 60));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brisenfall-compose: %s\n", error.what());
        return 1;
    }
    return 0;
}
