#!/usr/bin/python3
"""The web page in a browser, for the tests:

  browser_program.py serve BROWSER SCALE FOLDER
      One browser (chromium, firefox or webkit) with the screen at SCALE, shared by the tests as a
      CTest fixture: it answers on the Unix socket FOLDER/socket, one command a connection, and
      prints "ready" once it does. WebKit's X server is the one that ORBITDOTS_X_FOLDER's
      display-server announced.
  browser_program.py serve-page FOLDER
      A static web server on the loopback for the page in FOLDER: prints the page's address as
      ADDRESS=..., then "ready".
  browser_program.py play BROWSER_FOLDER PAGE
      The program under test: opens PAGE (a file:// address, or the folder of a serve-page whose
      address to take) afresh in the browser of BROWSER_FOLDER, types what comes on standard
      input into the page's console (Ctrl+D at its end, as a pipe ends), copies the page's
      standard output and error to its own, and ends with the page's exit status.

The browser's commands, each a line, each answered with one:
  scale -> the screen's scale       blank -> "done" (no page, no key held, NumLock off)
  open ADDRESS -> "done" (the page afresh, blank first)
  type TEXT -> "done" (TEXT as a JSON string)     console -> [output, errors, status] as JSON
  window -> "yes" or "no"           title -> the page's title      icon -> the name of its icon
  capture PATH -> "done" (the canvas's pixels as a PPM)   press KEY, release KEY -> "done"
  numlock -> "on" or "off"
Keys are named as X names them."""
import ctypes
import glob
import http.server
import inspect
import io
import json
import os
import signal
import socket
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

    def release_keys(self):
        ActionChains(self.driver).reset_actions()

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
    """WebKitGTK's MiniBrowser through WebKitWebDriver, in the X server that ORBITDOTS_X_FOLDER's
    display-server runs: WebKitGTK has no headless mode."""

    def __init__(self, scale):
        if scale != 1:
            raise SystemExit('webkit: tested at a device pixel ratio of 1 only')
        with open(os.path.join(os.environ['ORBITDOTS_X_FOLDER'], 'output')) as announced:
            for line in announced.read().split():
                if line.startswith('DISPLAY='):
                    os.environ['DISPLAY'] = line[len('DISPLAY='):]
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

    def release_keys(self):
        self.call('input.releaseActions', {'context': self.context})

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
    """A browser with one page at a time open in it; one command to the browser at a time."""

    def __init__(self, browser, scale):
        if browser not in BROWSERS:
            raise SystemExit(f'no such browser: {browser}')
        self.lock = threading.Lock()
        self.browser = BROWSERS[browser](scale)
        self.scale = scale
        self.num_lock = False

    def blank(self):
        """No page, and no key held: the page before ends."""
        with self.lock:
            self.browser.release_keys()
            self.num_lock = False
            self.browser.open('about:blank')

    def open(self, address):
        """The page afresh."""
        self.blank()
        with self.lock:
            self.browser.open(address)

    def run(self, script):
        with self.lock:
            return self.browser.run(script)

    def keys(self, actions):
        with self.lock:
            self.browser.keys(actions)

    def command(self, line):
        word, _, rest = line.partition(' ')
        if word == 'scale':
            return str(self.scale)
        if word == 'blank':
            self.blank()
            return 'done'
        if word == 'open':
            self.open(rest)
            return 'done'
        if word == 'type':
            self.type_answers(json.loads(rest))
            return 'done'
        if word == 'console':
            return json.dumps(self.run(CONSOLE))
        if word == 'window':
            running = self.run("return document.documentElement.dataset.game === 'running'")
            return 'yes' if running else 'no'
        if word == 'title':
            return self.run('return document.title')
        if word == 'icon':
            return self.run(
                "return document.querySelector('link[rel=icon]').href.split('/').pop()"
                ".replace(/[.]svg$/, '')")
        if word == 'capture':
            self.capture(rest)
            return 'done'
        if word in ('press', 'release'):
            return self.key(word == 'press', rest)
        if word == 'numlock':
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


def serve(browser, scale, folder):
    page = Page(browser, int(scale))

    class Handler(socketserver.StreamRequestHandler):
        def handle(self):
            line = self.rfile.readline().decode().rstrip('\n')
            try:
                answer = page.command(line) if line else 'no command'
            except Exception as error:  # the test sees the browser's own words
                answer = f'failed: {error}'.replace('\n', ' ')
            self.wfile.write(answer.encode() + b'\n')

    path = os.path.join(folder, 'socket')
    with socketserver.ThreadingUnixStreamServer(path, Handler) as server:
        # The fixture's end (SIGTERM) ends the browser too.
        signal.signal(signal.SIGTERM, lambda *_: threading.Thread(target=server.shutdown).start())
        print('ready', flush=True)
        try:
            server.serve_forever()
        finally:
            page.browser.quit()
            os.unlink(path)


def serve_page(folder):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *arguments, **options):
            super().__init__(*arguments, directory=folder, **options)

        def log_message(self, *_):
            pass

    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
    print(f'ADDRESS=http://127.0.0.1:{server.server_address[1]}/index.html')
    print('ready', flush=True)
    server.serve_forever()


def fail(message):
    """Ends the program under test with a status that the page never gives."""
    print(message, file=sys.stderr)
    sys.exit(125)


def ask(folder, command):
    """The browser's answer to one command."""
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
        connection.connect(os.path.join(folder, 'socket'))
        connection.sendall(command.encode() + b'\n')
        answer = connection.makefile('rb').readline().decode().rstrip('\n')
    if answer.startswith('failed: ') or not answer:
        fail(f'the browser of {folder}, asked to {command.split()[0]}: {answer or "no answer"}')
    return answer


def page_address(page):
    """A file:// address as it is; a serve-page's folder gives the address it announced."""
    if page.startswith('file://'):
        # A browser shows a missing page as an error page of its own, and the game never starts.
        if not os.path.isfile(page[len('file://'):]):
            fail(f'no page at {page}')
        return page
    with open(os.path.join(page, 'output')) as announced:
        for line in announced.read().split():
            if line.startswith('ADDRESS='):
                return line[len('ADDRESS='):]
    fail(f'no address in {page}/output')


def play(folder, page):
    ask(folder, 'open ' + page_address(page))
    ask(folder, 'type ' + json.dumps(sys.stdin.read()))
    written = ['', '']
    while True:
        out, err, status = json.loads(ask(folder, 'console'))
        for stream, text, index in ((sys.stdout, out, 0), (sys.stderr, err, 1)):
            stream.buffer.write(text[len(written[index]):].encode())
            stream.flush()
            written[index] = text
        if status is not None:
            return int(status)
        time.sleep(0.02)


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


def main():
    command, arguments = sys.argv[1], sys.argv[2:]
    if command == 'serve':
        serve(*arguments)
    elif command == 'serve-page':
        serve_page(*arguments)
    elif command == 'play':
        return play(*arguments)
    else:
        raise SystemExit(f'no such command: {command}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
