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
    consoleBox.scrollTop = consoleBox.scrollHeight;
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
      const code = sdlKeyCode(event);
      if (code !== undefined && code !== event.keyCode) {
        Object.defineProperty(event, 'keyCode', {value: code});
      }
    }, {capture: true});
  }

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
    canvas,
    keyboardListeningElement: canvas,
    stdout: writer('out'),
    stderr: writer('err'),
    readConsole,
    gameStarts,
    onExit: ended,
  };
})();
