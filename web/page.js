// The page around the saver (index.html): the query's parameters become the element's
// attributes, a click or a key makes it full screen, and in full screen the screen saver's
// rules end it again: a key, a mouse button, or the mouse moved more than 4 pixels (across
// plus down) from where it was when full screen began.

const kTravel = 4;
const saver = document.querySelector('orvessan-saver');

// Before the element starts: a parameter given twice counts with its last value.
const query = new URLSearchParams(location.search);
for (const name of ['seed', 'tick-start', 'tick-step', 'frames', 'size']) {
  const values = query.getAll(name);
  if (values.length > 0) saver.setAttribute(name, values[values.length - 1]);
}
import('./orvessan-saver.js');

let anchor = null; // the pointer's place in screen pixels, once known in full screen
let pressedInFull = false; // the last button press came in full screen (and left it)

const isFull = () => document.fullscreenElement != null;

function enter(event) {
  anchor = event.screenX === undefined ? null : { x: event.screenX, y: event.screenY };
  saver.requestFullscreen?.().catch(() => {});
}

function leave() {
  document.exitFullscreen().catch(() => {});
}

addEventListener('keydown', (event) => {
  if (isFull()) {
    leave();
  } else if (!event.repeat && !event.ctrlKey && !event.altKey && !event.metaKey &&
             event.key !== 'Escape') {
    enter(event);
  }
});

addEventListener('mousedown', (event) => {
  pressedInFull = isFull();
  // The left, middle and right buttons, as on Windows.
  if (pressedInFull && event.button <= 2) leave();
});

// The click of a press that left full screen doesn't enter it again.
addEventListener('click', (event) => {
  if (!pressedInFull && !isFull()) enter(event);
});

addEventListener('mousemove', (event) => {
  if (!isFull()) return;
  const here = { x: event.screenX, y: event.screenY };
  if (anchor === null) {
    anchor = here;
  } else if (Math.abs(here.x - anchor.x) + Math.abs(here.y - anchor.y) > kTravel) {
    anchor = here;
    leave();
  }
});
