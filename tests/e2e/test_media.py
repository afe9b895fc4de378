"""Sound and video quizzes: play and stop buttons, clip files, the media
player control, and the shell when the player is missing.

The example quizzes (examples/son, examples/video) are built with the real
builder. What can be seen from outside the player:
- a clip file appears in the current directory, byte for byte the clip;
- while the media player plays it, a process holds the file open (the
  player's own, or the wineserver on its behalf): /proc shows it;
- Wine's media player shows a video in a window of its own, "ActiveMovie
  Window", while it plays, which tells that the avi was decoded;
- files disappear when the buttons and the close say they should;
- with the player missing, the shell's "open" verb runs the command that
  the prefix registers for the file type (here: a copy of the file).
"""

import os
import subprocess
import unittest

from zelto_e2e import IDOK, PlayerTest, wait_until

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WM_COMMAND = 0x0111
BM_CLICK = 0x00F5
BN_SETFOCUS = 6
PLAY, STOP = 6000, 7000
INFO_CAPTION = "Information"
PLAYER_MISSING = "WindowMediaplayer non d\u00e9tect\u00e9."
VIDEO_WINDOW = "ActiveMovie Window"

SOUND_CLIPS = ["do.mp3", "mi.mp3", "sol.mp3", "la.mp3"]   # questions 1 to 4
VIDEO_CLIPS = ["rouge.avi", "vert.avi", "bleu.avi", "jaune.avi"]


def example(kind):
    """The example quiz's source text and clips."""
    folder = os.path.join(REPO, "examples", kind)
    with open(os.path.join(folder, "quiz.toml"), encoding="utf-8") as f:
        text = f.read()
    clips = {}
    for name in os.listdir(folder):
        if name.endswith((".mp3", ".avi")):
            with open(os.path.join(folder, name), "rb") as f:
                clips[name] = f.read()
    return text, clips


def holders(path):
    """Pids of the processes that have the file open."""
    target = os.path.realpath(path)
    found = set()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        fd_dir = "/proc/%s/fd" % pid
        try:
            for fd in os.listdir(fd_dir):
                if os.readlink(os.path.join(fd_dir, fd)) == target:
                    found.add(int(pid))
        except OSError:
            continue
    return found


def read_or_none(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def clip_files(session, extension):
    return sorted(n for n in os.listdir(session.work) if n.startswith("zelto") and n.endswith(extension))


class MediaTest(PlayerTest):
    kind = None
    clips = None
    extension = None
    video_window = False

    def start_quiz(self, env_overrides=None):
        s = self.session
        text, files = example(self.kind)
        self.sources = files
        exe = s.build_quiz(text, name=self.kind, files=files)
        if env_overrides:
            s.env = dict(s.env, **env_overrides)
        player = s.start(exe, wait=False)
        return player

    def clip_of(self, question):
        return self.sources[self.clips[question - 1]]

    def command(self, player, panel, wparam):
        player.probe.send(panel.hwnd, WM_COMMAND, wparam, 0)

    def wait_clip(self, question):
        """Waits until the clip file of the question holds exactly its clip."""
        name = "zelto%d%s" % (question, self.extension)
        path = self.session.path(name)
        expected = self.clip_of(question)
        wait_until(lambda: read_or_none(path) == expected, what="%s to hold clip %d" % (name, question))
        return path

    def video_shown(self):
        return [w for w in self.session.probe.toplevels() if w.visible and w.text == VIDEO_WINDOW]

    def wait_files(self, expected):
        wait_until(lambda: clip_files(self.session, self.extension) == expected,
                   what="clip files %r (now %r)" % (expected, clip_files(self.session, self.extension)))


class PlayerPresentMixin:
    """Play, replace, stop and close with the media player control present."""

    def check_play_stop_and_close(self, click_question, second_question):
        s = self.session
        ext = self.extension
        # Files of earlier runs: shutdown cleans questions 1 to 96 only; a stop
        # before any play has no clip file of its own to delete.
        for stray in ("zelto0", "zelto50", "zelto96", "zelto97"):
            s.write(stray + ext, b"not ours")
        player = self.start_quiz()
        player.wait_main_window()
        self.assertEqual(s.probe.message_boxes(), [], "the player was found: no message")
        _, panel = player.panels()

        self.command(player, panel, STOP + 1)
        self.assertTrue(os.path.exists(s.path("zelto0" + ext)), "stop before any play deletes nothing")

        # A real click on the play button writes the clip file, and the
        # player opens it.
        player.focus_x()
        player.click(player.control(panel, PLAY + click_question))
        first = self.wait_clip(click_question)
        wait_until(lambda: holders(first), what="the media player to open %s" % first)
        if self.video_window:
            wait_until(self.video_shown, what="the video to show")

        # Only the click notification plays: another notification of a play button does nothing.
        self.command(player, panel, (BN_SETFOCUS << 16) | (PLAY + second_question))
        self.assertFalse(os.path.exists(s.path("zelto%d%s" % (second_question, ext))))

        # Another play: the first clip is stopped and its file deleted, the
        # new one written and played. The click above may still be inside the
        # player, opening its clip, when this one arrives: it must wait its turn.
        button = player.control(panel, PLAY + second_question)
        s.probe.send(button.hwnd, BM_CLICK)
        second = self.wait_clip(second_question)
        wait_until(lambda: holders(second), what="the media player to open %s" % second)
        self.wait_files(sorted(["zelto%d%s" % (second_question, ext)] +
                               ["zelto%s%s" % (n, ext) for n in (0, 50, 96, 97)]))

        # Any stop button stops the clip started last and deletes its file.
        self.command(player, panel, STOP + click_question)
        wait_until(lambda: not os.path.exists(second), what="stop to delete %s" % second)
        if self.video_window:
            wait_until(lambda: not self.video_shown(), what="the video to close")

        # The same question twice: written again, played again.
        self.command(player, panel, PLAY + click_question)
        self.wait_clip(click_question)
        self.command(player, panel, PLAY + click_question)
        self.wait_clip(click_question)
        wait_until(lambda: holders(first), what="the media player to reopen %s" % first)

        # A question without a clip (5 of 4): the playing clip stops and its file goes.
        self.command(player, panel, PLAY + 5)
        self.wait_files(["zelto%s%s" % (n, ext) for n in (0, 50, 96, 97)])
        self.command(player, panel, PLAY + click_question)
        wait_until(lambda: holders(self.wait_clip(click_question)), what="the media player to reopen %s" % first)

        # Closing while a clip plays: every clip file of questions 1 to 96 goes.
        self.assertEqual(player.close(), 0)
        self.assertEqual(clip_files(s, ext), sorted(["zelto0" + ext, "zelto97" + ext]))
        self.assertEqual(s.probe.message_boxes(), [])


class SoundQuizTest(MediaTest, PlayerPresentMixin):
    kind, clips, extension = "son", SOUND_CLIPS, ".mp3"

    def test_play_replace_stop_and_close(self):
        self.check_play_stop_and_close(click_question=1, second_question=3)


class VideoQuizTest(MediaTest, PlayerPresentMixin):
    kind, clips, extension = "video", VIDEO_CLIPS, ".avi"
    video_window = True

    def test_play_replace_stop_and_close(self):
        self.check_play_stop_and_close(click_question=2, second_question=4)

    def test_clip_file_that_cannot_be_written_is_not_played(self):
        # A folder in the way of zelto1.avi: the clip cannot be written, so
        # the player is not handed the name (Wine's player dies on a file it
        # cannot open), and nothing half-written is left behind.
        s = self.session
        os.mkdir(s.path("zelto1.avi"))
        player = self.start_quiz()
        player.wait_main_window()
        _, panel = player.panels()
        self.command(player, panel, PLAY + 1)
        self.command(player, panel, PLAY + 3)
        self.wait_clip(3)
        wait_until(self.video_shown, what="the video of question 3 to show")
        self.assertEqual(player.close(), 0)
        self.assertTrue(os.path.isdir(s.path("zelto1.avi")))
        self.assertEqual([n for n in os.listdir(s.work) if n.startswith("zelto")], ["zelto1.avi"])


class MissingPlayerTest(MediaTest):
    """atl.dll or the media player refused: one message, then every play goes to the shell."""

    kind, clips, extension = "son", SOUND_CLIPS, ".mp3"

    def register_open_verb(self):
        # The shell's "open" of an .mp3 copies the file beside itself.
        s = self.session
        for key, value in ((r"HKCR\.mp3", "ZeltoTest.Clip"),
                           (r"HKCR\ZeltoTest.Clip\shell\open\command",
                            r'C:\windows\system32\cmd.exe /c copy /y "%1" "%1.opened"')):
            subprocess.run(["wine", "reg", "add", key, "/ve", "/d", value, "/f"], env=s.env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)

    def check_shell_fallback(self, overrides):
        s = self.session
        self.register_open_verb()
        player = self.start_quiz({"WINEDLLOVERRIDES": "winedbg.exe=d;" + overrides})

        box = wait_until(lambda: s.probe.message_boxes(), what="the missing-player message")[0]
        self.assertEqual((box["caption"], box["texts"]), (INFO_CAPTION, [PLAYER_MISSING]))
        s.probe.press(box["hwnd"], IDOK)
        player.wait_main_window()
        _, panel = player.panels()
        self.assertEqual(s.probe.message_boxes(), [], "the message comes once")

        self.command(player, panel, PLAY + 2)
        clip = self.wait_clip(2)
        opened = clip + ".opened"
        wait_until(lambda: read_or_none(opened) == self.clip_of(2), what="the shell to open %s" % clip)

        # Stop buttons do nothing without the player.
        self.command(player, panel, STOP + 2)
        self.assertTrue(os.path.exists(clip), "stop leaves the clip file")

        self.command(player, panel, PLAY + 4)
        self.wait_clip(4)
        wait_until(lambda: os.path.exists(s.path("zelto4.mp3.opened")), what="the shell to open zelto4.mp3")
        self.wait_files(["zelto4.mp3"])

        self.assertEqual(player.close(), 0)
        self.assertEqual(clip_files(s, ".mp3"), [])
        self.assertEqual(s.probe.message_boxes(), [])

    def test_without_atl(self):
        self.check_shell_fallback("atl=d")

    def test_without_media_player(self):
        self.check_shell_fallback("wmp=d")


if __name__ == "__main__":
    unittest.main()
