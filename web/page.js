'use strict';
// The page around the program: its console, which is the program's terminal (standard input,
// output and error), and the keys of the game, which SDL reads from the canvas.
(() => {
  const consoleBox = document.getElementById('console');
  const output = document.getElementById('output');
  const line = document.getElementById('line');
  const canvas = document.getElementById('canvas');
  const root = document.documentElement;

  // Text as the program writes it, byte by byte, in UTF-8; standard error in a span of its own.
  function show(text, kind) {
    if (text === '') {
      return;
    }
    const last = output.lastChild;
    if (last && last.kind === kind) {
      last.firstChild.data += text;
    } else {
      const span = document.createElement('span');
      span.kind = kind;
      span.className = kind;
      span.append(text);
      output.append(span);
    }
    scrollToEnd();
  }

  // The console scrolls to its last line once a frame, not once a byte: each scroll lays out the
  // page again.
  let scrolling = false;
  function scrollToEnd() {
    if (!scrolling) {
      scrolling = true;
      requestAnimationFrame(() => {
        scrolling = false;
        consoleBox.scrollTop = consoleBox.scrollHeight;
      });
    }
  }

  function writer(kind) {
    const decoder = new TextDecoder();
    return (byte) => {
      if (byte !== null) {
        show(decoder.decode(Uint8Array.of(byte), {stream: true}), kind);
      }
    };
  }

  // Standard input: the lines entered, until the program reads them.
  let entered = new Uint8Array(0);
  let inputEnded = false;
  let reader = null;

  function take(size) {
    const bytes = entered.slice(0, size);
    entered = entered.slice(bytes.length);
    return bytes;
  }

  function wakeReader() {
    if (reader) {
      const waiting = reader;
      reader = null;
      waiting();
    }
  }

  // The program's read: at most `size` bytes, as soon as there are any; none at the end.
  function readConsole(size) {
    return new Promise((resolve) => {
      if (entered.length > 0 || inputEnded) {
        resolve(take(size));
      } else {
        reader = () => resolve(take(size));
      }
    });
  }

  function send(text) {
    line.value = '';
    show(text, 'echo');
    const bytes = new TextEncoder().encode(text);
    const joined = new Uint8Array(entered.length + bytes.length);
    joined.set(entered);
    joined.set(bytes, entered.length);
    entered = joined;
    wakeReader();
  }

  // As a terminal does: Enter sends the line, which stays on the screen; Ctrl+D sends what is
  // typed without a line end, and on an empty line ends the input. The field itself edits the
  // line, composes Korean and selects.
  line.addEventListener('keydown', (event) => {
    if (event.isComposing) {
      return;
    }
    if (event.key === 'Enter') {
      event.preventDefault();
      send(line.value + '\n');
    } else if (event.ctrlKey && event.key.toLowerCase() === 'd') {
      event.preventDefault();
      if (line.value !== '') {
        send(line.value);
      } else {
        inputEnded = true;
        line.disabled = true;
        wakeReader();
      }
    }
  });

  // SDL numbers a key by the browser's keyCode. Browsers give the main row's = and - other codes
  // than the ones SDL knows, and with NumLock off the keypad's keys the codes of the arrows, Home,
  // End, ... that they stand for there: each key gets the code that SDL takes for its own key, the
  // same on its release as on its press.
  const mainRowCodes = {'=': 61, '-': 173, '+': 171};
  const keypadCodes = {
    Numpad0: 96, Numpad1: 97, Numpad2: 98, Numpad3: 99, Numpad4: 100, Numpad5: 101,
    Numpad6: 102, Numpad7: 103, Numpad8: 104, Numpad9: 105, NumpadMultiply: 106,
    NumpadAdd: 107, NumpadSubtract: 109, NumpadDecimal: 110, NumpadDivide: 111,
  };
  const pressedAs = new Map();

  function sdlKeyCode(event) {
    if (event.type === 'keyup' && pressedAs.has(event.code)) {
      const code = pressedAs.get(event.code);
      pressedAs.delete(event.code);
      return code;
    }
    const code = event.location === KeyboardEvent.DOM_KEY_LOCATION_NUMPAD ?
      keypadCodes[event.code] : mainRowCodes[event.key];
    if (event.type === 'keydown' && code !== undefined) {
      pressedAs.set(event.code, code);
    }
    return code;
  }

  for (const type of ['keydown', 'keyup']) {
    canvas.addEventListener(type, (event) => {
      // Tab is no key of the game: it leaves the canvas, and SDL does not see it.
      if (event.key === 'Tab') {
        event.stopImmediatePropagation();
        return;
      }
      const code = sdlKeyCode(event);
      if (code !== undefined && code !== event.keyCode) {
        Object.defineProperty(event, 'keyCode', {value: code});
      }
    }, {capture: true});
  }

  // A tap anywhere on the console brings the answer field, and a soft keyboard with it.
  consoleBox.addEventListener('click', () => {
    if (!line.disabled && document.activeElement !== line) {
      line.focus({preventScroll: true});
    }
  });

  // The on-screen controls hold the game's keys as the keyboard does: each is a key that the
  // canvas gets, pressed while a finger holds the control and released when the last finger
  // lifts or slides off. SDL reads these keys as it reads the keyboard's.
  // Each control names its key as SDL does; the event that the browser would send for it.
  const controlKeys = {
    'up': ['ArrowUp', 'ArrowUp', 0, 38], 'down': ['ArrowDown', 'ArrowDown', 0, 40],
    'left': ['ArrowLeft', 'ArrowLeft', 0, 37], 'right': ['ArrowRight', 'ArrowRight', 0, 39],
    '[+]': ['+', 'NumpadAdd', 3, 107], '[-]': ['-', 'NumpadSubtract', 3, 109],
    '[1]': ['1', 'Numpad1', 3, 97], '[2]': ['2', 'Numpad2', 3, 98],
    'page up': ['PageUp', 'PageUp', 0, 33], 'page down': ['PageDown', 'PageDown', 0, 34],
    'escape': ['Escape', 'Escape', 0, 27],
  };
  const holders = new Map();  // control key -> how many fingers hold it

  function sendKey(name, down) {
    const [key, code, location, keyCode] = controlKeys[name];
    const event = new KeyboardEvent(down ? 'keydown' : 'keyup',
      {key, code, location, bubbles: true, cancelable: true});
    Object.defineProperty(event, 'keyCode', {value: keyCode});
    Object.defineProperty(event, 'which', {value: keyCode});
    canvas.dispatchEvent(event);
  }

  function hold(name) {
    const count = holders.get(name) || 0;
    holders.set(name, count + 1);
    if (count === 0) {
      sendKey(name, true);
    }
  }

  function letGo(name) {
    const count = holders.get(name) || 0;
    if (count === 1) {
      holders.delete(name);
      sendKey(name, false);
    } else if (count > 1) {
      holders.set(name, count - 1);
    }
  }

  const controls = document.getElementById('controls');
  const pad = document.getElementById('pad');
  // The arrows of the pad's eight directions, counter-clockwise from the right.
  const directions = [['right'], ['up', 'right'], ['up'], ['up', 'left'], ['left'],
    ['down', 'left'], ['down'], ['down', 'right']];
  const fingers = new Map();  // pointer -> the control keys it holds

  // The arrows a finger at (x, y) holds on the pad: by the direction from its middle, none in
  // the middle itself or off the pad.
  function padArrows(x, y) {
    const box = pad.getBoundingClientRect();
    const radius = box.width / 2;
    const dx = x - (box.left + radius);
    const dy = y - (box.top + radius);
    const distance = Math.hypot(dx, dy);
    if (distance < radius * 0.2 || distance > radius) {
      return [];
    }
    const sector = Math.round(Math.atan2(-dy, dx) / (Math.PI / 4));
    return directions[(sector + 8) % 8];
  }

  // What a finger at (x, y) on `control` holds: arrows on the pad, a button's key on a button
  // while it is on it.
  function heldBy(control, x, y) {
    if (control === pad) {
      return padArrows(x, y);
    }
    const box = control.getBoundingClientRect();
    const on = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
    return on ? [control.dataset.key] : [];
  }

  function showHeld() {
    for (const element of controls.querySelectorAll('[data-key]')) {
      element.classList.toggle('held', holders.has(element.dataset.key));
    }
  }

  function moveFinger(id, keys) {
    const before = fingers.get(id) || [];
    for (const name of keys) {
      if (!before.includes(name)) {
        hold(name);
      }
    }
    for (const name of before) {
      if (!keys.includes(name)) {
        letGo(name);
      }
    }
    if (keys.length > 0) {
      fingers.set(id, keys);
    } else {
      fingers.delete(id);
    }
    showHeld();
  }

  const controlOf = (event) => event.target.closest('#pad, #buttons button');
  controls.addEventListener('pointerdown', (event) => {
    const control = controlOf(event);
    if (!control) {
      return;
    }
    event.preventDefault();
    control.setPointerCapture(event.pointerId);
    moveFinger(event.pointerId, heldBy(control, event.clientX, event.clientY));
  });
  controls.addEventListener('pointermove', (event) => {
    const control = controlOf(event);
    if (control && control.hasPointerCapture(event.pointerId)) {
      moveFinger(event.pointerId, heldBy(control, event.clientX, event.clientY));
    }
  });
  for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
    controls.addEventListener(type, (event) => moveFinger(event.pointerId, []));
  }
  for (const element of [controls, canvas]) {
    element.addEventListener('contextmenu', (event) => event.preventDefault());
  }

  // The controls show where touch is the way in, and on any other machine at the first touch.
  function showControls() {
    if (controls.hidden) {
      controls.hidden = false;
      legend.hidden = true;
      fit();
      if (!watchingPads) {
        watchPads();
      }
    }
  }
  addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'touch') {
      showControls();
    }
  }, {capture: true});
  addEventListener('touchstart', showControls, {capture: true, passive: true});

  // A game pad plays as the keys do: the game reads it. Once one is connected the legend names
  // its buttons too. At its first input the touch controls give way to it, and the legend comes
  // back; the next touch brings the controls back. The pads are looked at only while both a pad
  // and the controls are there.
  let padsConnected = 0;
  let watchingPads = false;
  function padMoved() {
    return Array.from(navigator.getGamepads()).some((pad) => pad &&
      (pad.buttons.some((button) => button.pressed) ||
       pad.axes.some((axis) => Math.abs(axis) > 0.25)));
  }
  function watchPads() {
    watchingPads = !controls.hidden && padsConnected > 0;
    if (watchingPads && padMoved()) {
      watchingPads = false;
      controls.hidden = true;
      legend.hidden = false;
      fit();
    }
    if (watchingPads) {
      requestAnimationFrame(watchPads);
    }
  }
  addEventListener('gamepadconnected', () => {
    padsConnected += 1;
    document.getElementById('pad-keys').hidden = false;
    fit();
    if (!watchingPads) {
      watchPads();
    }
  });
  addEventListener('gamepaddisconnected', () => {
    padsConnected -= 1;
  });

  // The parts of the page placed, and the canvas sized, for the window as it is: beside the
  // console where that gives the larger canvas, above it otherwise. The canvas is 4:3 and as
  // large as the window allows beside the console (never narrower than its text needs, at 12 px
  // at least), the header, the key legend and the controls; its picture stays 800 x 600, each of
  // its pixels drawn nearest-neighbour, an equal block at a whole scale.
  const pageBox = document.getElementById('page');
  const header = document.querySelector('header');
  const legend = document.getElementById('keys');
  const margin = 8;
  const gap = 8;

  function arrangement(side, width, height) {
    const touch = !controls.hidden;
    // Beside the canvas the console is at least this wide, and takes what the canvas leaves.
    const consoleWidth = side ? 240 : 0;
    const controlsWidth = side && touch ? 160 + gap : 0;
    const controlsHeight = !side && touch ? 150 + gap : 0;
    const legendHeight = touch ? 0 : legend.offsetHeight + gap;
    const consoleHeight = side ? 0 : Math.max(96, height * 0.18) + gap;
    const headerHeight = side ? 0 : header.offsetHeight + gap;
    const availableWidth = width - 2 * margin - (side ? consoleWidth + gap : 0) - controlsWidth;
    const availableHeight = height - 2 * margin - headerHeight - controlsHeight -
      (side ? 0 : consoleHeight + legendHeight);
    const scale = Math.max(0, Math.min(availableWidth / 800, availableHeight / 600));
    return {side, scale, consoleWidth: side ? width - 2 * margin - gap - controlsWidth -
      800 * scale : 0};
  }

  function fit() {
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    // Above and below the canvas, the header and the key legend span the window: their heights
    // are measured so, whatever the page's arrangement was until now.
    pageBox.className = 'stacked';
    pageBox.style.gridTemplateColumns = '';
    const beside = arrangement(true, width, height);
    const above = arrangement(false, width, height);
    const chosen = beside.scale >= above.scale ? beside : above;
    pageBox.className = chosen.side ? 'side' : 'stacked';
    pageBox.style.gridTemplateColumns = chosen.side ?
      `${chosen.consoleWidth}px ${800 * chosen.scale}px${controls.hidden ? '' : ' 160px'}` : '';
    // (In the style sheet: SDL sets the canvas's own style when it sets the video mode.)
    root.style.setProperty('--canvas-width', `${800 * chosen.scale}px`);
    root.style.setProperty('--canvas-height', `${600 * chosen.scale}px`);
    // Text of 14 px where the console has room for it, 12 px where it has not.
    const roomy = chosen.side ? chosen.consoleWidth >= 360 : width >= 600;
    root.style.setProperty('--console-font', roomy ? '14px' : '12px');
  }
  addEventListener('resize', fit);
  if (window.visualViewport) {
    visualViewport.addEventListener('resize', fit);
  }
  if (matchMedia('(pointer: coarse)').matches) {
    showControls();
  }
  fit();
  // The answer field has the keyboard from the start (the page is shown only once fitted, and a
  // field that was hidden then would not take autofocus).
  line.focus({preventScroll: true});

  // The window opens: the game has the keyboard, without a click.
  function gameStarts() {
    line.disabled = true;
    root.dataset.game = 'running';
    canvas.focus({preventScroll: true});
  }

  function ended(status) {
    line.disabled = true;
    delete root.dataset.game;
    root.dataset.exitStatus = status;
    document.getElementById('status').textContent = status;
    document.getElementById('ended').hidden = false;
    // The keyboard's next step: a new game.
    document.getElementById('new-game').focus();
  }

  // Served from a web host, the page installs as an app and plays offline: its manifest, and a
  // service worker that keeps its files. Opened from its file, it has neither, and needs neither.
  const served = location.protocol === 'https:' || location.protocol === 'http:';
  if (served) {
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    if ('serviceWorker' in navigator) {
      navigator.serviceWorker.register('sw.js');
    }
  }

  // A failure of the program itself (which it does not expect) shows in the console as well.
  // The program's exit, which emscripten throws to unwind it, is none.
  function showFailure(event, failure) {
    if (failure && failure.name === 'ExitStatus') {
      event.preventDefault();
    } else {
      show(`\n${failure}\n`, 'err');
    }
  }
  window.addEventListener('error', (event) => showFailure(event, event.error || event.message));
  window.addEventListener('unhandledrejection', (event) => showFailure(event, event.reason));

  window.Module = {
    // The program's script has loaded and compiled; the program then starts in a task of its
    // own, which keeps the page answering in between, and the console is its own.
    setStatus: (status) => {
      if (status === '') {
        document.getElementById('loading')?.remove();
      }
    },
    canvas,
    keyboardListeningElement: canvas,
    stdout: writer('out'),
    stderr: writer('err'),
    readConsole,
    gameStarts,
    // Whether the game may find a pad: it looks only then, at no cost to a page without one.
    padConnected: () => padsConnected > 0,
    onExit: ended,
    // Served, the program's WebAssembly streams from its file. Opened from its file, the page
    // may fetch no other: the WebAssembly comes from a script (orbitdots-wasm.js) as a data:
    // address, and then in a task of its own before the program's.
    locateFile: (file, folder) => (served ? folder + file : orbitdotsWasm),
  };

  function addScript(file) {
    const script = document.createElement('script');
    script.src = file;
    script.async = false;
    document.body.append(script);
  }

  // The program's scripts load once the page has shown, so that the page paints at once; the
  // key guide follows when the program runs.
  requestAnimationFrame(() => setTimeout(() => {
    if (!served) {
      addScript('orbitdots-wasm.js');
    }
    addScript('orbitdots.js');
  }));
})();
