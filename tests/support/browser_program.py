#!/usr/bin/python3
"""The web page as the program under test: one headless browser with the page open, driven as a
person would. What comes on standard input is typed into the page's console (Ctrl+D at its end,
as a pipe ends); the page's standard output and error come out on this one's; it ends with the
page's exit status. Meanwhile the test's BrowserSession asks for the window, its pixels and keys
over a Unix socket in ORBITDOTS_BROWSER_FOLDER, one command a connection:
  window -> "yes" or "no"      title -> the page's title    icon -> the name of its icon
  capture PATH -> "done" (the canvas's pixels as a PPM)     press KEY, release KEY -> "done"
  numlock -> "on" or "off"
Keys are named as X names them. Usage: browser_program.py BROWSER file|http PAGE_FOLDER, the
page opened by its file:// address or from a static server on the loopback. BROWSER: chromium,
firefox or webkit."""
import ctypes
import functools
import glob
import http.server
import inspect
import json
import os
import signal
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service as ChromeService
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.webkitgtk.service import Service as WebKitService

# WebDriver's keys; the keypad's with NumLock on, and off, where they stand for other keys.
KEYS = {
    'Right': Keys.ARROW_RIGHT, 'Left': Keys.ARROW_LEFT, 'Up': Keys.ARROW_UP,
    'Down': Keys.ARROW_DOWN, 'Prior': Keys.PAGE_UP, 'Next': Keys.PAGE_DOWN,
    'Escape': Keys.ESCAPE, 'KP_Add': Keys.ADD, 'KP_Subtract': Keys.SUBTRACT,
    'equal': '=', 'minus': '-',
}
KEYPAD = {'KP_1': ('\ue01b', '\ue056'), 'KP_2': ('\ue01c', '\ue05b')}

# The canvas's pixels as runs of one colour (0xRRGGBB, count), row after row: a frame is mostly
# white, and a whole picture through WebDriver takes longer than twenty frames.
CANVAS_RUNS = '''
const canvas = document.getElementById('canvas');
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
const runs = [];
for (let i = 0; i < data.length; i += 4) {
  const colour = data[i] << 16 | data[i + 1] << 8 | data[i + 2];
  if (runs.length > 0 && runs[runs.length - 2] === colour) {
    runs[runs.length - 1] += 1;
  } else {
    runs.push(colour, 1);
  }
}
return [canvas.width, canvas.height, runs];
'''

CONSOLE = '''
const texts = {out: '', err: ''};
for (const span of document.querySelectorAll('#output span')) {
  if (span.className in texts) texts[span.className] += span.textContent;
}
return [texts.out, texts.err, document.documentElement.dataset.exitStatus || null];
'''


class SeleniumBrowser:
    """A browser through its classic WebDriver, with Selenium."""

    def __init__(self, driver):
        self.driver = driver

    def open(self, address):
        self.driver.get(address)

    def run(self, script):
        return self.driver.execute_script(script)

    def keys(self, actions):
        chain = ActionChains(self.driver)
        for down, key in actions:
            if down:
                chain.key_down(key)
            else:
                chain.key_up(key)
        chain.perform()

    def canvas_png(self):
        return self.driver.find_element('id', 'canvas').screenshot_as_png

    def quit(self):
        self.driver.quit()


class Chromium(SeleniumBrowser):
    """Chromium through its WebDriver, chromedriver."""

    def __init__(self, scale):
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        # A window tall enough for the whole canvas to be in view, whatever the density.
        for argument in ('--headless=new', '--no-sandbox', '--disable-dev-shm-usage',
                         '--window-size=1366,900', f'--force-device-scale-factor={scale}'):
            options.add_argument(argument)
        super().__init__(webdriver.Chrome(service=ChromeService('/usr/bin/chromedriver'),
                                          options=options))


class WebKit(SeleniumBrowser):
    """WebKitGTK's MiniBrowser through WebKitWebDriver, in an X server of its own: WebKitGTK has
    no headless mode."""

    def __init__(self, scale):
        if scale != 1:
            raise SystemExit('webkit: tested at a device pixel ratio of 1 only')
        read_end, write_end = os.pipe()
        self.display = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1400x1000x24', '-nolisten',
             'tcp', '-noreset'], pass_fds=[write_end], stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            number = display.readline().strip()
        if not number:
            raise SystemExit('webkit: Xvfb did not start')
        os.environ['DISPLAY'] = ':' + number
        # Without compositing, screenshots show the page as it is drawn.
        os.environ['WEBKIT_DISABLE_COMPOSITING_MODE'] = '1'
        options = webdriver.WebKitGTKOptions()
        options.binary_location = glob.glob('/usr/lib/*/webkit2gtk-4.*/MiniBrowser')[0]
        options.add_argument('--automation')
        # Selenium 4.10 and later (Debian 13 on) take the driver's path through a Service.
        if 'service' in inspect.signature(webdriver.WebKitGTK).parameters:
            driver = webdriver.WebKitGTK(service=WebKitService('/usr/bin/WebKitWebDriver'),
                                         options=options)
        else:
            driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver',
                                         options=options)
        super().__init__(driver)

    def quit(self):
        try:
            super().quit()
        finally:
            self.display.kill()
            self.display.wait()


class Firefox:
    """Firefox through the WebDriver BiDi it speaks itself (Debian has no geckodriver): commands
    as JSON over a WebSocket, one answer each."""

    def __init__(self, scale):
        if scale != 1:
            raise SystemExit('firefox: tested at a device pixel ratio of 1 only')
        import websocket  # only where Firefox is tested
        self.profile = tempfile.TemporaryDirectory()
        self.process = subprocess.Popen(
            ['firefox-esr', '--headless', '--no-remote', '--profile', self.profile.name,
             '--remote-debugging-port=0', '--window-size=1366,900'],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Firefox writes the port it listens on into the profile once it does; until the file
        # is whole, it does not parse.
        port_file = os.path.join(self.profile.name, 'WebDriverBiDiServer.json')
        deadline = time.monotonic() + 60
        while True:
            try:
                with open(port_file) as file:
                    port = json.load(file)['ws_port']
                break
            except (OSError, ValueError, KeyError):
                if self.process.poll() is not None or time.monotonic() > deadline:
                    raise SystemExit('firefox: no WebDriver BiDi port within 60 s')
                time.sleep(0.1)
        # Firefox refuses a handshake that names an origin.
        self.socket = websocket.create_connection(f'ws://127.0.0.1:{port}/session',
                                                  suppress_origin=True)
        self.last_id = 0
        self.call('session.new', {'capabilities': {}})
        self.context = self.call('browsingContext.getTree', {})['contexts'][0]['context']

    def call(self, method, parameters):
        self.last_id += 1
        self.socket.send(json.dumps({'id': self.last_id, 'method': method,
                                     'params': parameters}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('id') == self.last_id:
                break
        if message['type'] != 'success':
            raise RuntimeError(f"{method}: {message.get('error')}: {message.get('message')}")
        return message['result']

    def open(self, address):
        self.call('browsingContext.navigate',
                  {'context': self.context, 'url': address, 'wait': 'complete'})

    def run(self, script):
        result = self.call('script.callFunction', {
            'functionDeclaration': 'function() {' + script + '}', 'awaitPromise': False,
            'target': {'context': self.context}})
        if result['type'] != 'success':
            raise RuntimeError(result['exceptionDetails']['text'])
        return plain_value(result['result'])

    def keys(self, actions):
        self.call('input.performActions', {'context': self.context, 'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': [{'type': 'keyDown' if down else 'keyUp', 'value': key}
                        for down, key in actions]}]})

    def canvas_png(self):
        raise RuntimeError('firefox: no screenshots at other densities')

    def quit(self):
        try:
            self.call('browser.close', {})
        finally:
            try:
                self.process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            self.profile.cleanup()


def plain_value(remote):
    """A value as WebDriver BiDi sends it, as Python's: what the scripts here return."""
    if remote['type'] == 'array':
        return [plain_value(item) for item in remote['value']]
    if remote['type'] in ('null', 'undefined'):
        return None
    return remote['value']


BROWSERS = {'chromium': Chromium, 'firefox': Firefox, 'webkit': WebKit}


def typing(text):
    """The key actions that type `text`: the Enter key at each line's end, since not every driver
    takes a line feed for it."""
    return [(down, Keys.ENTER if character == '\n' else character)
            for character in text for down in (True, False)]


class Page:
    """The browser with the page open; one command to the browser at a time."""

    def __init__(self, browser, address, scale):
        if browser not in BROWSERS:
            raise SystemExit(f'no such browser: {browser}')
        self.lock = threading.Lock()
        self.browser = BROWSERS[browser](scale)
        self.scale = scale
        self.num_lock = False
        self.browser.open(address)

    def run(self, script):
        with self.lock:
            return self.browser.run(script)

    def keys(self, actions):
        with self.lock:
            self.browser.keys(actions)

    def command(self, words):
        if words[0] == 'window':
            running = self.run("return document.documentElement.dataset.game === 'running'")
            return 'yes' if running else 'no'
        if words[0] == 'title':
            return self.run('return document.title')
        if words[0] == 'icon':
            return self.run(
                "return document.querySelector('link[rel=icon]').href.split('/').pop()"
                ".replace(/[.]svg$/, '')")
        if words[0] == 'capture':
            self.capture(words[1])
            return 'done'
        if words[0] in ('press', 'release'):
            return self.key(words[0] == 'press', words[1])
        if words[0] == 'numlock':
            return 'on' if self.num_lock else 'off'
        return 'unknown command'

    def key(self, press, name):
        if name == 'Num_Lock':
            self.num_lock ^= press
            return 'done'
        if name in KEYPAD:
            key = KEYPAD[name][0 if self.num_lock else 1]
        elif name in KEYS:
            key = KEYS[name]
        else:
            return 'no such key'
        self.keys([(press, key)])
        return 'done'

    def capture(self, path):
        if self.scale == 1:
            width, height, runs = self.run(CANVAS_RUNS)
            pixels = b''.join(colour.to_bytes(3, 'big') * count
                              for colour, count in zip(runs[::2], runs[1::2]))
        else:
            # What the screen shows, each game pixel scale x scale of the screen's.
            from PIL import Image
            import io
            with self.lock:
                png = self.browser.canvas_png()
            picture = Image.open(io.BytesIO(png)).convert('RGB')
            width, height = picture.size
            pixels = picture.tobytes()
        with open(path + '.new', 'wb') as file:
            file.write(b'P6\n%d %d\n255\n' % (width, height) + pixels)
        os.replace(path + '.new', path)

    def type_answers(self, typed):
        self.keys(typing(typed))
        # A pipe's end: Ctrl+D sends a last line that has no line end, and ends the input.
        control_d = [(True, Keys.CONTROL), (True, 'd'), (False, 'd'), (False, Keys.CONTROL)]
        self.keys(control_d * (1 if typed.endswith('\n') or not typed else 2))


def serve_session(page, folder):
    class Handler(socketserver.StreamRequestHandler):
        def handle(self):
            words = self.rfile.readline().decode().split()
            try:
                answer = page.command(words) if words else 'no command'
            except Exception as error:  # the test sees the browser's own words
                answer = f'failed: {error}'.replace('\n', ' ')
            self.wfile.write(answer.encode() + b'\n')

    server = socketserver.ThreadingUnixStreamServer(os.path.join(folder, 'socket'), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def serve_page(folder):
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
    handler.log_message = lambda *args: None
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f'http://127.0.0.1:{server.server_address[1]}/index.html'


def end_with_this_process():
    """The browser and its driver end with this process, and this process with the test that
    started it, however either ends: the tests kill a program that is still running."""
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


def main():
    end_with_this_process()
    browser, how, folder = sys.argv[1:4]
    # A browser shows a missing page as an error page of its own, and the game never starts.
    if not os.path.isfile(os.path.join(folder, 'index.html')):
        raise SystemExit(f'no page in {folder}')
    address = serve_page(folder) if how == 'http' else 'file://' + folder + '/index.html'
    scale = int(os.environ.get('ORBITDOTS_BROWSER_SCALE', '1'))
    page = Page(browser, address, scale)
    # The process tests have no session.
    folder = os.environ.get('ORBITDOTS_BROWSER_FOLDER')
    session = serve_session(page, folder) if folder else None
    try:
        page.type_answers(sys.stdin.read())
        written = ['', '']
        while True:
            out, err, status = page.run(CONSOLE)
            for stream, text, index in ((sys.stdout, out, 0), (sys.stderr, err, 1)):
                stream.buffer.write(text[len(written[index]):].encode())
                stream.flush()
                written[index] = text
            if status is not None:
                return int(status)
            time.sleep(0.02)
    finally:
        if session:
            session.shutdown()
            os.unlink(os.path.join(folder, 'socket'))
        page.browser.quit()


if __name__ == '__main__':
    sys.exit(main())
