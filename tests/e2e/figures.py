"""What the player waits for and what the game holds, from outside the game:
the time from start to the first frame on the screen, and the peak resident
memory of a short session (steps, help page, main menu, quit).

    figures.py RUN_DIR PRISTINE_LEVELS [starts]      (needs DISPLAY)"""

import statistics
import sys

from harness import Game


def main():
    run_dir, pristine = sys.argv[1], sys.argv[2]
    starts = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    first_frames, peaks = [], []
    for i in range(starts):
        game = Game(run_dir, pristine, None, "figures")
        try:
            game.start()
            first_frames.append(game.first_frame_after)
            if i == 0:  # one session that touches the screens, for the memory
                game.wait_settled()
                game.step("Right", (3, 2))
                game.step("Down", (3, 3))
                for key in ("i", "Return", "m", "Return"):
                    game.hold(key)
                    game.wait_settled()
            game.quit()
            peaks.append(game.peak_rss_kib or 0)
        finally:
            game.cleanup()
    print(f"first frame median {statistics.median(first_frames):.2f} s after start "
          f"(of {starts}: {', '.join(f'{t:.2f}' for t in first_frames)})")
    print(f"peak resident memory {max(peaks) / 1024:.0f} MB")


if __name__ == "__main__":
    main()
