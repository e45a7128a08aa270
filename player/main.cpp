// quorplay: plays Quor movies in a window (or on a memory screen when there is no display).
//
// Environment: QUOR_HEADLESS=1 plays on the memory screen (the summary goes to standard output,
// message boxes to standard error); QUOR_CAPTURE_WAV=FILE.wav writes the sound to a WAV file
// instead of the sound card.
#include <cstdlib>
#include <string>
#include <vector>

#include "clock.h"
#include "command_text.h"
#include "jov_display.h"
#include "player.h"
#include "profile.h"
#include "player_settings.h"
#include "sound_choice.h"
#include "texts.h"
#include "url_opener.h"
#include "version_reminder.h"

using namespace quorplay;

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const Profile profile(ProfilePath());
  CommandText command = BuildCommandText(StoredCommandLine(), JoinArguments(arguments), [&] {
    return profile.read(kProfileSection, "QuorQuickPlay", "", 256);
  });
  const PlayerSettings settings = ReadSwitches(command.data());

  std::unique_ptr<JovDisplay> display = JovOpenDisplay();
  if (!display) return 1;
  if (!IsFileList(command.data())) {
    display->messageBox(kHelpCaption, std::string(kHelpTitle) + "\n" + kHelpText, JovMessageKind::kInformation);
    return 1;
  }
  const char* capture = std::getenv("QUOR_CAPTURE_WAV");
  ChooseSoundOutput(display->headless(), settings.waveOut, capture ? capture : "");

  PlayerHooks hooks;
  hooks.programPath = ProgramPath();
  hooks.openUrl = [](const std::string& url) { OpenUrl(url); };
  JovDisplay& screen = *display;
  hooks.versionReminder = [&screen, &profile] {
    const ReminderActions actions{
        [&screen](const std::string& caption, const std::string& text) { return screen.askYesNo(caption, text); },
        [](const std::string& url) { OpenUrl(url); }, [](uint32_t ms) { quor::Sleep(ms); }};
    return RunVersionReminder(Today(), profile, actions);
  };
  Player player(*display, settings, command.str(), std::move(hooks));
  return player.run();
}
