// <orvessan-saver>: the saver as an element of any page.
//
//   <script type="module" src="orvessan-saver.js"></script>
//   <orvessan-saver style="width: 640px; height: 360px"></orvessan-saver>
//
// The element fills its box (300 x 150 unless the page says otherwise) with a canvas whose
// pixels are the box's device pixels. Each element runs its own instance of the drawing
// module (orvessan.wasm, beside this file), with its own memory, random generator and loop;
// removed from the page it stops and lets all of that go.
//
// Attributes, with the offline renderer's meaning: seed, tick-start, tick-step, frames (any of
// the last three makes a scripted run, which ends after its frames and keeps the last one) and
// size (WxH: a frame of exactly that many pixels at the box's top-left corner). The property
// `frames` counts the frames run; a scripted run sets `finished` and fires "finish" at its end.

const kAttributes = ['seed', 'tick-start', 'tick-step', 'frames', 'size'];

// A scripted run goes in tasks of about this long, so that the page stays responsive...
const kScriptSliceMs = 12;
const kScriptBatch = 8;
// ...and of at most this many batches where the clock stands still (virtual time).
const kScriptMaxBatches = 64;

let compiled = null;

// The drawing module, fetched and compiled once for all elements of the page.
function compileModule() {
  compiled ??= (async () => {
    const response = await fetch(new URL('orvessan.wasm', import.meta.url));
    if (!response.ok) throw new Error(`orvessan.wasm: ${response.status} ${response.statusText}`);
    if (response.headers.get('Content-Type') === 'application/wasm') {
      return WebAssembly.compileStreaming(response);
    }
    return WebAssembly.compile(await response.arrayBuffer());
  })();
  return compiled;
}

// One instance of the drawing module and the saver inside it: the element's only way in.
class Engine {
  static async create() {
    const module = await compileModule();
    // The module writes to no file: the system calls that its library could reach are
    // refused, and an end of the program is an error.
    const refused = () => 8;
    const imports = {
      env: { emscripten_notify_memory_growth: () => {} },
      wasi_snapshot_preview1: {
        proc_exit: (code) => {
          throw new Error(`the drawing module stopped (${code})`);
        },
        fd_close: refused,
        fd_seek: refused,
        fd_write: refused,
      },
    };
    const instance = await WebAssembly.instantiate(module, imports);
    return new Engine(instance.exports);
  }

  constructor(api) {
    this.api = api;
    api._initialize();
    this.page = api.orv_create();
    if (this.page === 0) throw new Error('no memory for a saver');
    this.image = null; // the canvas picture as ImageData, over the module's memory
  }

  destroy() {
    this.api.orv_destroy(this.page);
    this.api = null;
  }

  // The attributes, then one line for each refused value.
  configure(attributes) {
    const api = this.api;
    const encoder = new TextEncoder();
    const text = (value) => {
      const bytes = encoder.encode(value + '\0');
      const at = api.orv_reserve(bytes.length);
      new Uint8Array(api.memory.buffer, at, bytes.length).set(bytes);
      return at;
    };
    for (const [name, value] of attributes) {
      const strings = [text(name), text(value)];
      api.orv_set_option(this.page, ...strings);
      strings.forEach((at) => api.orv_release(at));
    }
    const at = api.orv_refusals(this.page);
    const memory = new Uint8Array(api.memory.buffer);
    const lines = new TextDecoder().decode(memory.subarray(at, memory.indexOf(0, at)));
    return lines.split('\n').filter((line) => line !== '');
  }

  get scripted() {
    return this.api.orv_scripted(this.page) !== 0;
  }

  // The frame size the attributes fix, or null where the frame takes its box's size.
  get fixedSize() {
    const width = this.api.orv_fixed_width(this.page);
    return width === 0 ? null : { width, height: this.api.orv_fixed_height(this.page) };
  }

  // The frame size for a box of width x height device pixels (smaller where the box is huge).
  fit(width, height) {
    const packed = this.api.orv_fit(width, height);
    return { width: packed >>> 16, height: packed & 0xffff };
  }

  // A new run on an all-black frame, or the run under way carried on at a new size. False
  // when there is no memory for the frame.
  start(size, seed, tick) {
    this.image = null;
    return this.api.orv_start(this.page, size.width, size.height, seed, tick) !== 0;
  }

  resize(size) {
    this.image = null;
    return this.api.orv_resize(this.page, size.width, size.height) !== 0;
  }

  frame(tick, visible) {
    this.api.orv_frame(this.page, tick, visible ? 1 : 0);
  }

  // Runs up to `count` frames of the scripted run; returns how many it has run in all and how
  // many are left.
  runScript(count) {
    const left = this.api.orv_run_script(this.page, count);
    return { done: this.api.orv_script_length(this.page) - left, left };
  }

  // Puts the parts of the frame that changed since the last call on the canvas.
  present(context) {
    const api = this.api;
    const count = api.orv_take_changes(this.page);
    if (count === 0) return;
    const buffer = api.memory.buffer;
    // A grown memory is a new buffer: the picture is looked up again.
    if (this.image === null || this.image.data.buffer !== buffer) {
      const width = api.orv_width(this.page);
      const height = api.orv_height(this.page);
      const at = api.orv_canvas_pixels(this.page);
      this.image = new ImageData(new Uint8ClampedArray(buffer, at, width * height * 4), width, height);
    }
    const runs = new Int32Array(buffer, api.orv_changes(this.page), count * 4);
    for (let i = 0; i < runs.length; i += 4) {
      const left = runs[i];
      const top = runs[i + 1];
      context.putImageData(this.image, 0, 0, left, top, runs[i + 2] - left, runs[i + 3] - top);
    }
  }
}

// The browser's clock in whole milliseconds, wrapping at 32 bits like every tick.
function tick() {
  return Math.floor(performance.now()) >>> 0;
}

class OrvessanSaver extends HTMLElement {
  static observedAttributes = kAttributes;

  #canvas;
  #context;
  #engine = null;
  #generation = 0; // raised by every start and stop: a start that was overtaken gives up
  #request = 0;
  #timer = 0;
  #resizer = null;
  #boxSize = null;

  frames = 0;
  finished = false;

  constructor() {
    super();
    const root = this.attachShadow({ mode: 'open' });
    root.innerHTML =
      '<style>:host{display:block;position:relative;overflow:hidden;width:300px;height:150px;' +
      'background:#000}canvas{position:absolute;left:0;top:0;display:block}</style>' +
      '<canvas></canvas>';
    this.#canvas = root.querySelector('canvas');
    // Opaque, and drawn without waiting for the page's compositing: the frame changes a few
    // hundred small spots, and the browser's double buffering would copy all of it each frame.
    this.#context = this.#canvas.getContext('2d', { alpha: false, desynchronized: true });
  }

  connectedCallback() {
    this.#start();
  }

  disconnectedCallback() {
    this.#stop();
  }

  attributeChangedCallback(name, before, after) {
    if (this.isConnected && this.#engine !== null && before !== after) this.#start();
  }

  #stop() {
    this.#generation++;
    cancelAnimationFrame(this.#request);
    clearTimeout(this.#timer);
    this.#resizer?.disconnect();
    this.#resizer = null;
    this.#engine?.destroy();
    this.#engine = null;
  }

  async #start() {
    this.#stop();
    const generation = this.#generation;
    let engine;
    try {
      engine = await Engine.create();
    } catch (error) {
      console.error(`orvessan-saver: ${error.message}`);
      return;
    }
    if (generation !== this.#generation || !this.isConnected) {
      engine.destroy();
      return;
    }
    this.#engine = engine;
    this.frames = 0;
    this.finished = false;
    const attributes = kAttributes.filter((name) => this.hasAttribute(name));
    const refusals = engine.configure(attributes.map((name) => [name, this.getAttribute(name)]));
    for (const line of refusals) console.warn(`orvessan-saver: ${line}`);

    const fixed = engine.fixedSize;
    this.#boxSize = this.#measure();
    const size = fixed ?? engine.fit(this.#boxSize.width, this.#boxSize.height);
    const seed = crypto.getRandomValues(new Uint32Array(1))[0];
    if (!this.#show(size, fixed !== null, engine.start(size, seed, tick()))) return;
    if (fixed === null) {
      this.#resizer = new ResizeObserver((entries) => this.#resized(entries[entries.length - 1]));
      try {
        this.#resizer.observe(this, { box: 'device-pixel-content-box' });
      } catch {
        this.#resizer.observe(this);
      }
    }
    if (engine.scripted) {
      this.#runScript(generation);
    } else {
      this.#request = requestAnimationFrame(this.#frame);
    }
  }

  // A canvas for the frame just built: at exactly its size in CSS pixels for a fixed size,
  // filling the box otherwise. Where there was no memory for the frame (not `built`), the
  // element stops instead and says so.
  #show(size, fixed, built) {
    if (!built) {
      console.error(`orvessan-saver: no memory for a frame of ${size.width}x${size.height}`);
      this.#stop();
      return false;
    }
    const canvas = this.#canvas;
    canvas.width = size.width;
    canvas.height = size.height;
    canvas.style.width = fixed ? `${size.width}px` : '100%';
    canvas.style.height = fixed ? `${size.height}px` : '100%';
    this.#engine.present(this.#context);
    return true;
  }

  // The box in device pixels.
  #measure() {
    const box = this.getBoundingClientRect();
    const ratio = window.devicePixelRatio;
    return { width: Math.round(box.width * ratio), height: Math.round(box.height * ratio) };
  }

  #resized(entry) {
    const device = entry.devicePixelContentBoxSize?.[0];
    const size = device ? { width: device.inlineSize, height: device.blockSize } : this.#measure();
    if (size.width === this.#boxSize.width && size.height === this.#boxSize.height) return;
    this.#boxSize = size;
    const frame = this.#engine.fit(size.width, size.height);
    this.#show(frame, false, this.#engine.resize(frame));
  }

  #frame = () => {
    this.#request = requestAnimationFrame(this.#frame);
    this.#engine.frame(tick(), document.visibilityState !== 'hidden');
    this.frames++;
    this.#engine.present(this.#context);
  };

  // Runs the scripted frames as fast as the page allows, a slice of time per task, showing
  // the frame so far after every slice; the last frame then stays.
  #runScript(generation) {
    const engine = this.#engine;
    const slice = () => {
      if (generation !== this.#generation) return;
      const until = performance.now() + kScriptSliceMs;
      let progress;
      for (let batch = 0; batch < kScriptMaxBatches; batch++) {
        progress = engine.runScript(kScriptBatch);
        if (progress.left === 0 || performance.now() >= until) break;
      }
      this.frames = progress.done;
      engine.present(this.#context);
      if (progress.left > 0) {
        this.#timer = setTimeout(slice, 0);
      } else {
        this.finished = true;
        this.dispatchEvent(new Event('finish'));
      }
    };
    slice();
  }
}

customElements.define('orvessan-saver', OrvessanSaver);
