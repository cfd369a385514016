#!/usr/bin/python3
"""Measures the web page in headless Chromium, from outside the program: the page is opened as
the browser tests open it, the answers typed (12 dots, no keys held), and the canvas's drawing
calls timed. Each frame begins by filling the whole field; the time between those fills is the
frame period, and the first one after the third answer's Enter is the first frame. CPU is the
user and system time of the browser's processes over the run, after a second of start-up.
Usage: browser_bench.py PAGE_FOLDER SECONDS. Prints one line: median and 95th percentile of the
frame period (ms), frames measured, the browser's CPU (% of one core), and the time from the
third answer to the first frame (ms)."""
import ctypes
import os
import signal
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests',
                                'support'))
from browser_program import Page, typing  # noqa: E402
from measure import group_ticks, percent_of_core, periods_summary  # noqa: E402

# Time stamps of the Enter keys and of the fills of the whole field, from before the first
# answer on.
TIMING = '''
window.benchTimes = {enter: [], frames: []};
addEventListener('keydown', (event) => {
  if (event.key === 'Enter') benchTimes.enter.push(performance.now());
}, true);
const fillRect = CanvasRenderingContext2D.prototype.fillRect;
CanvasRenderingContext2D.prototype.fillRect = function(x, y, width, height) {
  if (width === this.canvas.width && height === this.canvas.height) {
    benchTimes.frames.push(performance.now());
  }
  return fillRect.call(this, x, y, width, height);
};
'''


def end_with_this_process():
    """The browser and its driver end with this process, and this process with the program that
    started it, however either ends (for a browser of this process's own, as the benchmark's)."""
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGKILL)
    os.setpgrp()
    watched, held = os.pipe()  # neither is inherited by the programs started from here
    if os.fork() == 0:
        os.close(held)
        os.read(watched, 1)  # the end of the file: this process has ended
        os.killpg(0, signal.SIGKILL)
    # `held` stays open until this process ends, however it ends.
    os.close(watched)


def browser_ticks():
    """Clock ticks of every Chromium process of this one's process group so far."""
    return group_ticks(os.getpgrp(),
                       lambda name: name.startswith('chrom') and name != 'chromedriver')


def main():
    end_with_this_process()
    folder, seconds = sys.argv[1], float(sys.argv[2])
    page = Page('chromium', 1)
    try:
        page.open('file://' + folder + '/index.html')
        page.run(TIMING)
        page.keys(typing('400 300\nn\n12\n'))
        time.sleep(1)
        before, started = browser_ticks(), time.monotonic()
        time.sleep(seconds)
        ticks, elapsed = browser_ticks() - before, time.monotonic() - started
        enter, frames = page.run('return [benchTimes.enter, benchTimes.frames]')
    finally:
        page.browser.quit()
    # The frames of the measured run: those a second after the first on.
    periods = [later - earlier for earlier, later in zip(frames, frames[1:])
               if earlier >= frames[0] + 1000]
    median, p95, count = periods_summary(periods)
    print(f'{median:.2f} {p95:.2f} {count} {percent_of_core(ticks, elapsed):.2f} '
          f'{frames[0] - enter[2]:.1f}')


if __name__ == '__main__':
    main()
