#!/usr/bin/python3
"""The web page in a browser, for the tests:

  browser_program.py serve BROWSER SCALE FOLDER [DEVICE]
      One browser (chromium, firefox or webkit) with the screen at SCALE, shared by the tests as a
      CTest fixture: it answers on the Unix socket FOLDER/socket, one command a connection, and
      prints "ready" once it does. WebKit's X server is the one that ORBITDOTS_X_FOLDER's
      display-server announced. With a DEVICE (phone: 390 x 844 upright at 3 device pixels a
      pixel; tablet: 1024 x 768 sideways at 2), the browser shows the page as that touch
      screen does, and the keys are held by touching the page's controls.
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
and in Chromium, for the page itself:
  show WIDTH HEIGHT SCALE TOUCH -> "done" (the page on such a screen, with touch if TOUCH is 1)
  fit -> [the window's width and height, the page's, the canvas's left, top, right and bottom,
          the console's text size, how many controls show, the smallest side of one, and
          their left, top, right and bottom] as JSON
  installability -> the reasons the page cannot be installed, space-separated, or "none"
  controlled -> "yes" once a service worker serves the page
  no-http-cache -> "done" (nothing from the browser's own cache from now on)
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
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
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

# The touch screens the page is shown on: width, height and device pixels a pixel.
DEVICES = {'phone': (390, 844, 3), 'tablet': (1024, 768, 2)}
# The page's controls for the keys, by the names SDL gives them, and the pad's direction for each
# arrow.
BUTTONS = {'KP_Add': '[+]', 'KP_Subtract': '[-]', 'KP_1': '[1]', 'KP_2': '[2]',
           'Prior': 'page up', 'Next': 'page down', 'Escape': 'escape'}
ARROWS = {'Right': (1, 0), 'Left': (-1, 0), 'Up': (0, -1), 'Down': (0, 1)}
# Every finger: the one on the pad, and one for each button.
FINGERS = ['pad', *BUTTONS]

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

FIT = '''
const page = document.scrollingElement;
const canvas = document.getElementById('canvas').getBoundingClientRect();
const shown = [...document.querySelectorAll('#controls button[data-key]')]
  .map((control) => control.getBoundingClientRect()).filter((box) => box.width > 0);
const least = (side) => Math.min(...shown.map((box) => box[side]));
const most = (side) => Math.max(...shown.map((box) => box[side]));
return [innerWidth, innerHeight, page.scrollWidth, page.scrollHeight, canvas.left, canvas.top,
        canvas.right, canvas.bottom,
        parseFloat(getComputedStyle(document.getElementById('console')).fontSize),
        shown.length, shown.length ? Math.min(least('width'), least('height')) : 0,
        ...(shown.length ? [least('left'), least('top'), most('right'), most('bottom')] :
          [0, 0, 0, 0])];
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

    def touch(self, finger, selector, offset, action):
        """One finger: put down (down), slid (move) to `offset` from the middle of the element
        that `selector` names, or lifted (up)."""
        builder = ActionBuilder(self.driver, mouse=PointerInput(interaction.POINTER_TOUCH, finger))
        if action != 'up':
            element = self.driver.find_element('css selector', selector)
            builder.pointer_action.move_to(element, round(offset[0]), round(offset[1]))
        if action == 'down':
            builder.pointer_action.pointer_down()
        elif action == 'up':
            builder.pointer_action.pointer_up()
        builder.perform()

    def emulate(self, device):
        raise SystemExit(f'{type(self).__name__.lower()}: its driver sends no touches')

    def canvas_png(self):
        return self.driver.find_element('id', 'canvas').screenshot_as_png

    def quit(self):
        self.driver.quit()


class Chromium(SeleniumBrowser):
    """Chromium through its WebDriver, chromedriver."""

    def __init__(self, scale):
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ('--headless=new', '--no-sandbox', '--disable-dev-shm-usage',
                         '--window-size=1366,900'):
            options.add_argument(argument)
        super().__init__(webdriver.Chrome(service=ChromeService('/usr/bin/chromedriver'),
                                          options=options))
        self.fingers = {}  # each finger down on the screen, and where
        if scale != 1:
            # A screen of that density, in which the page is as large as the canvas at 800 x 600
            # with the console beside it: each of its pixels a whole block of the screen's.
            self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                'width': 1366, 'height': 616, 'deviceScaleFactor': scale, 'mobile': False})

    def touch(self, finger, selector, offset, action):
        """Chromium's own touches (its driver's lose track of a finger between two actions):
        each event names every finger still down, and Chromium presses, moves and lifts fingers
        by what changed."""
        if action == 'up':
            self.fingers.pop(finger, None)
        else:
            x, y = self.run(f'''const box = document.querySelector({json.dumps(selector)})
                .getBoundingClientRect();
                return [box.left + box.width / 2, box.top + box.height / 2];''')
            self.fingers[finger] = (x + offset[0], y + offset[1])
        points = [{'x': x, 'y': y, 'id': list(FINGERS).index(name)}
                  for name, (x, y) in self.fingers.items()]
        kind = 'touchStart' if action == 'down' else 'touchMove' if points else 'touchEnd'
        self.driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                                    {'type': kind, 'touchPoints': points})

    def release_keys(self):
        super().release_keys()
        if self.fingers:
            self.fingers = {}
            self.driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                                        {'type': 'touchEnd', 'touchPoints': []})

    def emulate(self, device):
        self.show(*DEVICES[device], True)

    def show(self, width, height, scale, touch):
        self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': scale, 'mobile': touch})
        self.driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled',
                                    {'enabled': touch, 'maxTouchPoints': 10 if touch else 1})

    def installability(self):
        errors = self.driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})
        return [error['errorId'] for error in errors['installabilityErrors']]

    def no_http_cache(self):
        self.driver.execute_cdp_cmd('Network.enable', {})
        self.driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})


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

    def touch(self, finger, selector, offset, action):
        actions = []
        if action != 'up':
            element = self.call('script.callFunction', {
                'functionDeclaration': f'function() {{ return document.querySelector({json.dumps(selector)}); }}',
                'awaitPromise': False, 'target': {'context': self.context}})['result']
            actions.append({'type': 'pointerMove', 'x': round(offset[0]), 'y': round(offset[1]),
                            'origin': {'type': 'element',
                                       'element': {'sharedId': element['sharedId']}}})
        if action == 'down':
            actions.append({'type': 'pointerDown', 'button': 0})
        elif action == 'up':
            actions.append({'type': 'pointerUp', 'button': 0})
        self.call('input.performActions', {'context': self.context, 'actions': [{
            'type': 'pointer', 'id': finger, 'parameters': {'pointerType': 'touch'},
            'actions': actions}]})

    def emulate(self, device):
        width, height, scale = DEVICES[device]
        self.call('browsingContext.setViewport', {
            'context': self.context, 'viewport': {'width': width, 'height': height},
            'devicePixelRatio': scale})

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

    def __init__(self, browser, scale, device=None):
        if browser not in BROWSERS:
            raise SystemExit(f'no such browser: {browser}')
        self.lock = threading.Lock()
        self.browser = BROWSERS[browser](scale)
        self.scale = scale
        self.num_lock = False
        self.touching = device is not None
        if self.touching:
            self.browser.emulate(device)
        self.arrows = set()  # the arrows that the finger on the pad holds

    def blank(self):
        """No page, and no key held: the page before ends."""
        with self.lock:
            self.browser.release_keys()
            self.num_lock = False
            self.arrows = set()
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
        return self.page_command(word, rest)

    def page_command(self, word, rest):
        if word == 'show':
            width, height, scale, touch = rest.split()
            with self.lock:
                self.browser.show(int(width), int(height), float(scale), touch == '1')
            return 'done'
        if word == 'fit':
            return json.dumps(self.run(FIT))
        if word == 'installability':
            with self.lock:
                return ' '.join(self.browser.installability()) or 'none'
        if word == 'controlled':
            return 'yes' if self.run('return !!navigator.serviceWorker.controller') else 'no'
        if word == 'no-http-cache':
            with self.lock:
                self.browser.no_http_cache()
            return 'done'
        return 'unknown command'

    def key(self, press, name):
        if self.touching:
            return self.touch_key(press, name)
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

    def touch_key(self, press, name):
        """A key held or let go on the page's controls: a finger of its own on its button, and
        for the arrows one finger on the pad, slid to the direction of those held and lifted
        once none is."""
        if name in BUTTONS:
            with self.lock:
                self.browser.touch(name, f'[data-key="{BUTTONS[name]}"]', (0, 0),
                                   'down' if press else 'up')
            return 'done'
        if name not in ARROWS:
            return 'no such key'
        held = self.arrows | {name} if press else self.arrows - {name}
        dx = sum(ARROWS[arrow][0] for arrow in held)
        dy = sum(ARROWS[arrow][1] for arrow in held)
        if held and dx == 0 and dy == 0:
            return 'no such key'  # opposite arrows at once: no thumb does that
        with self.lock:
            if not held:
                self.browser.touch('pad', '#pad', (0, 0), 'up')
            else:
                # On the arrow's button, or between the two of a diagonal.
                reach = 50 / len(held)
                self.browser.touch('pad', '#pad', (dx * reach, dy * reach),
                                   'move' if self.arrows else 'down')
        self.arrows = held
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
        if self.touching:
            # As a person on a touch screen starts: a tap on the console, for its answer field.
            with self.lock:
                self.browser.touch('pad', '#console', (0, 0), 'down')
                self.browser.touch('pad', '#console', (0, 0), 'up')
        self.keys(typing(typed))
        # A pipe's end: Ctrl+D sends a last line that has no line end, and ends the input.
        control_d = [(True, Keys.CONTROL), (True, 'd'), (False, 'd'), (False, Keys.CONTROL)]
        self.keys(control_d * (1 if typed.endswith('\n') or not typed else 2))


def serve(browser, scale, folder, device=None):
    page = Page(browser, int(scale), device)

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
    """A web address as it is, a file:// one if the file is there; a serve-page's folder gives the
    address it announced."""
    if page.startswith(('http://', 'https://')):
        return page
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
