#include "platform/sdl/VSdlSaverEngine.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "engine/pixies/VBalloon.h"
#include "engine/pixies/VPicture.h"
#include "engine/stream/VComponentRef.h"
#include "platform/sdl/VForeignWindowWatch.h"
#include "platform/sdl/VSdlStage.h"

VSdlSaverEngine::VSdlSaverEngine(VSdlStage& stage, VSaverCommand command, std::string lockDirectory,
                                 std::string display)
    : stage_(stage), command_(std::move(command)), display_(std::move(display)),
      runLock_(lockDirectory, "run", display_), previewLock_(lockDirectory, "preview", display_)
{
    // The preview's reduced picture needs the larger balloon text; the mode says so, not a
    // search of the command line, which holds slashes in every path here.
    SetBalloonPreviewText(command_.mode == VSaverMode::Preview);
    if (command_.mode == VSaverMode::Password)
        stage_.Stop();  // nothing to change: the caller has said so
}

VSdlSaverEngine::~VSdlSaverEngine()
{
    if (command_.mode == VSaverMode::Foreign && command_.root && attachedRoot_) {
        VForeignWindowWatch watch;
        watch.ClearToBackground(watch.ScreenRoot());
    }
}

bool VSdlSaverEngine::CanEnd()
{
    switch (command_.mode) {
    case VSaverMode::Window:
        // The plain window ends with Escape (or its close button, which needs no asking).
        return stage_.IsEscapeKeyDown();
    case VSaverMode::Foreign:
        // The screen saver that made the window ends us with a signal.
        return false;
    default:
        return true;
    }
}

bool VSdlSaverEngine::IsDebug()
{
    return command_.mode == VSaverMode::Debug || command_.mode == VSaverMode::Window ||
           command_.mode == VSaverMode::Foreign;
}

void VSdlSaverEngine::Attach(VStage&)
{
    switch (command_.mode) {
    case VSaverMode::Preview:
        stage_.SetParentWindow(command_.window);
        stage_.SetTargetWindow(command_.window, VSdlStage::kPreviewWidth, VSdlStage::kPreviewHeight);
        break;
    case VSaverMode::Foreign: {
        uint64_t window = command_.window;
        if (window == 0) {
            VForeignWindowWatch watch;
            window = watch.ScreenRoot();
            attachedRoot_ = window != 0;
        }
        stage_.SetTargetWindow(window, 0, 0);
        break;
    }
    case VSaverMode::Debug:
        // The window shows what the full-screen show would compose, and the read-out says
        // at what size.
        stage_.SetShowFrameRate(true);
        stage_.SetComposeAsScreen(true);
        break;
    case VSaverMode::Run:
        stage_.EnterSaverMode();
        break;
    default:
        break;
    }
}

void VSdlSaverEngine::AdjustSetup(VStageSetup& setup)
{
    switch (command_.mode) {
    case VSaverMode::Preview:
        // Composed at four times the preview and shown reduced.
        setup.windowRect = VRect(0, 0, 4 * VSdlStage::kPreviewWidth, 4 * VSdlStage::kPreviewHeight);
        setup.fullScreen = false;
        break;
    case VSaverMode::Window:
        setup.windowRect = VRect(0, 0, kWindowWidth, kWindowHeight);
        setup.hasFrame = true;
        setup.fullScreen = false;
        setup.showCursor = true;
        break;
    case VSaverMode::Foreign:
        setup.fullScreen = false;
        break;
    default:
        break;
    }
    // The shows on further monitors belong to the run instance that started them.
    if (command_.mode == VSaverMode::Run && command_.display >= 0)
        stage_.SetCaption(stage_.GetProgramName() + "_RUN");
    else if (command_.mode == VSaverMode::Run || command_.mode == VSaverMode::Debug ||
             command_.mode == VSaverMode::Preview)
        ApplySingleInstanceRule();
}

void VSdlSaverEngine::Decline(const char* what, pid_t holder)
{
    const std::string display = display_.empty() ? "this display" : "display " + display_;
    std::fprintf(stderr, "zibolt: %s already runs on %s (process %ld); this one ends.\n", what,
                 display.c_str(), static_cast<long>(holder));
    stage_.Stop();
}

void VSdlSaverEngine::ApplySingleInstanceRule()
{
    const std::string name = stage_.GetProgramName();
    if (command_.mode == VSaverMode::Preview) {
        // A preview never starts beside a running saver or another preview.
        if (const pid_t saver = runLock_.Holder(); saver != 0)
            return Decline("the screen saver", saver);
        if (!previewLock_.Acquire())
            return Decline("a preview", previewLock_.Holder());
        stage_.SetCaption(name + "_PREVIEW");
        return;
    }
    if (!runLock_.Acquire()) {
        // The running one comes to the front, this one ends.
        const pid_t first = runLock_.Holder();
        if (first != 0 && first != ::getpid())
            ::kill(first, SIGUSR1);
        return Decline("the screen saver", first);
    }
    if (const pid_t preview = previewLock_.Holder(); preview != 0 && preview != ::getpid())
        ::kill(preview, SIGTERM);
    stage_.SetCaption(name + "_RUN");
}

void VSdlSaverEngine::PrepareShow()
{
    if (command_.mode == VSaverMode::Preview)
        PlayPreviewIntro();
}

void VSdlSaverEngine::PlayPreviewIntro()
{
    ComponentRef<VPicture> first("Screen1");
    ComponentRef<VPicture> second("Screen2");
    stage_.SetWindowSize(VSdlStage::kPreviewWidth, VSdlStage::kPreviewHeight);
    std::unique_ptr<VSurface> background = stage_.MakeSurfaceCopy(first->GetSurface());
    std::unique_ptr<VSurface> frame = stage_.MakeSurfaceCopy(first->GetSurface());
    stage_.ExchangeSurfaces(background, frame);  // the show's surfaces wait in these two
    stage_.FadeTransition(false, true);
    const double until = stage_.GetTime() + 2000.0;
    bool quit = stage_.IsQuitRequested();
    while (!quit && stage_.GetTime() < until)
        quit = stage_.PumpMessages(until - stage_.GetTime());
    if (!quit) {
        // The new picture becomes the background; the frame buffer, still showing the first
        // picture, fades out before the new one is composed into it.
        std::unique_ptr<VSurface> oldBackground, currentFrame;
        stage_.ExchangeSurfaces(oldBackground, currentFrame);
        std::unique_ptr<VSurface> next = stage_.MakeSurfaceCopy(second->GetSurface());
        stage_.ExchangeSurfaces(next, currentFrame);
        stage_.FadeTransition(true, true);
    }
    stage_.SetWindowSize(4 * VSdlStage::kPreviewWidth, 4 * VSdlStage::kPreviewHeight);
    stage_.ExchangeSurfaces(background, frame);
}
