#!/usr/bin/python3
"""The web page in a browser, for the tests:

  browser_program.py serve BROWSER SCALE FOLDER [DEVICE]
      One browser (chromium, firefox or webkit) with the screen at SCALE, shared by the tests as a
      CTest fixture: it answers on the Unix socket FOLDER/socket and prints "ready" once it does.
      WebKit needs an X server in DISPLAY. With a DEVICE (phone: 390 x 844 upright at 3 device
      pixels a pixel; tablet: 1024 x 768 sideways at 2), the browser shows the page as that touch
      screen does, and the keys are held by touching the page's controls.
  browser_program.py serve-page FOLDER
      A static web server on the loopback for the page in FOLDER: prints the page's address as
      ADDRESS=..., then "ready".
  browser_program.py play BROWSER_FOLDER PAGE
      The program under test: has the browser of BROWSER_FOLDER open PAGE (a file:// address, or
      the folder of a serve-page whose address to take) afresh and type what comes on standard
      input into the page's console (Ctrl+D at its end, as a pipe ends); writes what the page
      writes to its standard output and error as it comes, and ends with the page's exit status.

A connection to the browser's socket sends one request, a JSON object on a line, with its command
in "command"; the answer is one JSON object on a line, with "error" where the command failed
(see COMMANDS), or for "play" a line each time the page's console grows, {"out": TEXT} or
{"err": TEXT}, and last {"status": N}. Keys are named as X names them."""
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
return {width: canvas.width, height: canvas.height, runs};
'''

LAYOUT = '''
const box = (element) => {
  const {left, top, right, bottom} = element.getBoundingClientRect();
  return {left, top, right, bottom};
};
const page = document.scrollingElement;
const shown = [...document.querySelectorAll('#controls button[data-key]')]
  .map(box).filter((control) => control.right > control.left);
const least = (side) => Math.min(...shown.map((control) => control[side]));
const most = (side) => Math.max(...shown.map((control) => control[side]));
const smallest = Math.min(...shown.map((control) =>
  Math.min(control.right - control.left, control.bottom - control.top)));
return {
  window: {width: innerWidth, height: innerHeight},
  page: {width: page.scrollWidth, height: page.scrollHeight},
  canvas: box(document.getElementById('canvas')),
  consoleTextSize: parseFloat(getComputedStyle(document.getElementById('console')).fontSize),
  controls: shown.length === 0 ? {count: 0} : {
    count: shown.length, smallest,
    left: least('left'), top: least('top'), right: most('right'), bottom: most('bottom')},
};
'''

# The key events that reach the page (the touch controls' among them), counted from its start: a
# driver may answer before the page has the event.
COUNT_KEYS = '''
window.orbitdotsKeys = 0;
for (const type of ['keydown', 'keyup']) addEventListener(type, () => { orbitdotsKeys += 1; }, true);
'''

CONSOLE = '''
const texts = {out: '', err: ''};
for (const span of document.querySelectorAll('#output span')) {
  if (span.className in texts) texts[span.className] += span.textContent;
}
const status = document.documentElement.dataset.exitStatus;
return {out: texts.out, err: texts.err, status: status === undefined ? null : Number(status)};
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
    """WebKitGTK's MiniBrowser through WebKitWebDriver, on the X server of DISPLAY (the fixture
    starts it under xvfb-run): WebKitGTK has no headless mode."""

    def __init__(self, scale):
        if scale != 1:
            raise SystemExit('webkit: tested at a device pixel ratio of 1 only')
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
    if remote['type'] == 'object':
        return {key: plain_value(value) for key, value in remote['value']}
    if remote['type'] in ('null', 'undefined'):
        return None
    return remote['value']


BROWSERS = {'chromium': Chromium, 'firefox': Firefox, 'webkit': WebKit}


def typing(text):
    """The key actions that type `text`: the Enter key at each line's end, since not every driver
    takes a line feed for it."""
    return [(down, Keys.ENTER if character == '\n' else character)
            for character in text for down in (True, False)]


def runs_of(pixels):
    """RGB bytes as runs of one colour, as CANVAS_RUNS gives them."""
    runs = []
    for i in range(0, len(pixels), 3):
        colour = int.from_bytes(pixels[i:i + 3], 'big')
        if runs and runs[-2] == colour:
            runs[-1] += 1
        else:
            runs += [colour, 1]
    return runs


class Page:
    """A browser with one page at a time open in it; one command to the browser at a time. Each
    command takes the request and answers with a dict."""

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
        self.opened = 0  # how many times a page was opened or left: a game's play ends with it

    def blank(self, _request=None):
        """No page, and no key held: the page before ends."""
        with self.lock:
            self.opened += 1
            self.browser.release_keys()
            self.num_lock = False
            self.arrows = set()
            self.browser.open('about:blank')
        return {}

    def open(self, address):
        """The page afresh, its key events counted; returns which opening this is."""
        self.blank()
        with self.lock:
            self.browser.open(address)
            self.browser.run(COUNT_KEYS)
            return self.opened

    def run(self, script):
        with self.lock:
            return self.browser.run(script)

    def keys(self, actions):
        with self.lock:
            self.browser.keys(actions)

    def play(self, request, send):
        """The page afresh, the answers typed, and the console sent on as it grows until the
        game ends, or until the page is left."""
        opened = self.open(request['page'])
        self.type_answers(request['input'])
        sent = {'out': 0, 'err': 0}
        # WebDriver tells of no change in a page: the console is looked at after each frame.
        while True:
            with self.lock:
                if self.opened != opened:
                    return {'error': 'the page was left before the game ended'}
                console = self.browser.run(CONSOLE)
            for stream, length in sent.items():
                if len(console[stream]) > length:
                    send({stream: console[stream][length:]})
                    sent[stream] = len(console[stream])
            if console['status'] is not None:
                return {'status': console['status']}
            time.sleep(0.02)

    def game_running(self, _request):
        return {'running': self.run("return document.documentElement.dataset.game === 'running'")}

    def labels(self, _request):
        return self.run('''return {title: document.title,
            icon: document.querySelector('link[rel=icon]').href.split('/').pop()
                .replace(/[.]svg$/, '')};''')

    def capture(self, _request):
        if self.scale == 1:
            return self.run(CANVAS_RUNS)
        # What the screen shows, each game pixel scale x scale of the screen's.
        from PIL import Image
        with self.lock:
            png = self.browser.canvas_png()
        picture = Image.open(io.BytesIO(png)).convert('RGB')
        return {'width': picture.width, 'height': picture.height,
                'runs': runs_of(picture.tobytes())}

    def key(self, request):
        """A key held or let go; answered once the page has had the event, so that the program's
        next look at its events finds it."""
        press, name = request['command'] == 'press', request['key']
        if name == 'Num_Lock' and not self.touching:
            self.num_lock ^= press
            return {}
        seen = self.run('return window.orbitdotsKeys')
        answer = self.touch_key(press, name) if self.touching else self.keyboard_key(press, name)
        deadline = time.monotonic() + 10
        while 'error' not in answer and self.run('return window.orbitdotsKeys') == seen:
            if time.monotonic() > deadline:
                return {'error': f'the page had no event of {name} within 10 s'}
            time.sleep(0.005)
        return answer

    def keyboard_key(self, press, name):
        if name in KEYPAD:
            key = KEYPAD[name][0 if self.num_lock else 1]
        elif name in KEYS:
            key = KEYS[name]
        else:
            return {'error': f'no such key: {name}'}
        self.keys([(press, key)])
        return {}

    def touch_key(self, press, name):
        """A key held or let go on the page's controls: a finger of its own on its button, and
        for the arrows one finger on the pad, slid to the direction of those held and lifted
        once none is."""
        if name in BUTTONS:
            with self.lock:
                self.browser.touch(name, f'[data-key="{BUTTONS[name]}"]', (0, 0),
                                   'down' if press else 'up')
            return {}
        if name not in ARROWS:
            return {'error': f'no such key: {name}'}
        held = self.arrows | {name} if press else self.arrows - {name}
        dx = sum(ARROWS[arrow][0] for arrow in held)
        dy = sum(ARROWS[arrow][1] for arrow in held)
        if held and dx == 0 and dy == 0:
            return {'error': 'opposite arrows at once: no thumb does that'}
        with self.lock:
            if not held:
                self.browser.touch('pad', '#pad', (0, 0), 'up')
            else:
                # On the arrow's button, or between the two of a diagonal.
                reach = 50 / len(held)
                self.browser.touch('pad', '#pad', (dx * reach, dy * reach),
                                   'move' if self.arrows else 'down')
        self.arrows = held
        return {}

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

    # For the page itself, in Chromium.
    def show(self, request):
        """The page on a screen of this size, density, and with touch or not."""
        with self.lock:
            self.browser.show(request['width'], request['height'], request['scale'],
                              request['touch'])
        return {}

    def installability(self, _request):
        """What keeps the page from being installed as an app."""
        with self.lock:
            return {'reasons': self.browser.installability()}

    def no_http_cache(self, _request):
        with self.lock:
            self.browser.no_http_cache()
        return {}


# A standard-mapping game pad in the page, as a browser shows one: its state at each look, its
# time stamp new with each change, and announced once, as a browser does when it is connected.
PAD = '''
const state = %s;
const announce = !window.orbitdotsPad;
window.orbitdotsPad = {id: 'orbitdots test pad', index: 0, connected: true, mapping: 'standard',
  timestamp: (window.orbitdotsPad ? window.orbitdotsPad.timestamp : 0) + 1, axes: state.axes,
  buttons: state.buttons.map((pressed) => ({pressed, touched: pressed, value: pressed ? 1 : 0}))};
Object.defineProperty(navigator, 'getGamepads',
  {configurable: true, value: () => [window.orbitdotsPad]});
if (announce) {
  dispatchEvent(Object.assign(new Event('gamepadconnected'), {gamepad: window.orbitdotsPad}));
}
return {};
'''


# The browser's commands: what each request names, and the fields of its answer.
COMMANDS = {
    'scale': lambda page, _: {'scale': page.scale},            # the screen's scale
    'blank': Page.blank,                                         # no page, no key held, NumLock off
    'play': Page.play,                                           # page, input: see above
    'window': Page.game_running,                                 # running: whether the game is
    'labels': Page.labels,                                       # the page's title, its icon's name
    'capture': Page.capture,                                     # the canvas: width, height, runs
    'press': Page.key, 'release': Page.key,                      # key
    'numlock': lambda page, _: {'on': page.num_lock},
    'show': Page.show,                                           # width, height, scale, touch
    'layout': lambda page, _: page.run(LAYOUT),                  # see LAYOUT
    'installability': Page.installability,                       # reasons
    'controlled': lambda page, _: {'controlled': page.run(      # by a service worker
        'return !!navigator.serviceWorker.controller')},
    'no-http-cache': Page.no_http_cache,                         # nothing from its cache from now
    'pad': lambda page, request: page.run(PAD % json.dumps(      # axes, buttons: the pad's state
        {'axes': request['axes'], 'buttons': request['buttons']})),
}


def answer(page, request, send):
    """The answer to one request; the browser's own words where it failed."""
    command = COMMANDS.get(request.get('command'))
    if command is None:
        return {'error': f"no such command: {request.get('command')}"}
    try:
        if command is Page.play:
            return page.play(request, send)
        return command(page, request)
    except Exception as error:  # the test sees the browser's own words
        return {'error': f'{type(error).__name__}: {error}'}


def serve(browser, scale, folder, device=None):
    page = Page(browser, int(scale), device)

    class Handler(socketserver.StreamRequestHandler):
        def send(self, message):
            self.wfile.write(json.dumps(message).encode() + b'\n')
            self.wfile.flush()

        def handle(self):
            try:
                request = json.loads(self.rfile.readline())
            except ValueError as error:
                request = {'command': None, 'unreadable': str(error)}
            self.send(answer(page, request, self.send))

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


def announced(folder):
    """What a fixture's server announced before "ready" (tests/support/daemon keeps it in
    FOLDER/output): its NAME=value lines."""
    with open(os.path.join(folder, 'output')) as output:
        lines = output.read().splitlines()
    return dict(line.split('=', 1) for line in lines[:lines.index('ready')] if '=' in line)


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
    try:
        return announced(page)['ADDRESS']
    except (OSError, ValueError, KeyError):
        fail(f'no address announced in {page}/output')


def play(folder, page):
    request = {'command': 'play', 'page': page_address(page), 'input': sys.stdin.read()}
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
        connection.connect(os.path.join(folder, 'socket'))
        connection.sendall(json.dumps(request).encode() + b'\n')
        for line in connection.makefile('rb'):
            message = json.loads(line)
            for stream, name in ((sys.stdout, 'out'), (sys.stderr, 'err')):
                if name in message:
                    stream.buffer.write(message[name].encode())
                    stream.flush()
            if 'status' in message:
                return int(message["status"])
            if 'error' in message:
                fail(f'the browser of {folder}: {message["error"]}')
    fail(f'the browser of {folder} ended before the game did')


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
