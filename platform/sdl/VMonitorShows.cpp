#include "platform/sdl/VMonitorShows.h"

#include <SDL2/SDL.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A show on another monitor has ended: the run ends here too, through the SIGTERM handler.
// The child is reaped at the end, so its process id cannot pass to another process before.
void OnChildEnded(int)
{
    const int saved = errno;
    ::raise(SIGTERM);
    errno = saved;
}

}  // namespace

std::vector<VIntRect> VMonitorShows::Displays()
{
    std::vector<VIntRect> displays;
    // Asked while the stage's video is up (this start and stop only count references), so
    // that no connection of ours closes before the window's opens.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return displays;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(i, &bounds) == 0)
            displays.push_back(VIntRect{bounds.x, bounds.y, bounds.w, bounds.h});
        else
            displays.push_back(VIntRect{});
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return displays;
}

bool VMonitorShows::Start(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<int>& displays)
{
    struct sigaction action {};
    action.sa_handler = OnChildEnded;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_NOCLDSTOP | SA_RESTART;
    sigaction(SIGCHLD, &action, nullptr);

    const pid_t parent = ::getpid();
    bool all = true;
    for (int display : displays) {
        std::vector<std::string> line{program};
        line.insert(line.end(), args.begin(), args.end());
        line.push_back("--display");
        line.push_back(std::to_string(display));
        std::vector<char*> argv;
        for (std::string& arg : line)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            // Ends with this process, also when it is killed outright.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent)
                ::_exit(0);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        if (child < 0) {
            std::fprintf(stderr, "zibolt: cannot start the show for display %d\n", display);
            all = false;
            continue;
        }
        children_.push_back(child);
    }
    return all;
}

VMonitorShows::~VMonitorShows()
{
    if (children_.empty())
        return;
    // Their ends are ours now: no SIGTERM back for them.
    std::signal(SIGCHLD, SIG_DFL);
    for (pid_t child : children_)
        ::kill(child, SIGTERM);
    for (pid_t child : children_) {
        // A show ends within a frame of SIGTERM; one that does not is not waited for long.
        for (int i = 0; i < 100 && ::waitpid(child, nullptr, WNOHANG) == 0; ++i)
            ::usleep(20000);
        if (::waitpid(child, nullptr, WNOHANG) == 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
    }
}
