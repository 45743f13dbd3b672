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

// Frames of a scripted run are run in tasks of at most this long, so the page stays responsive.
const kScriptSliceMs = 12;
const kScriptBatch = 8;
// ...and at most this many frames per task where the clock stands still (virtual time).
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

// One instance of the drawing module and the saver inside it.
class Engine {
  static async create() {
    const module = await compileModule();
    const stopped = (code) => {
      throw new Error(`orvessan: the drawing module stopped (${code})`);
    };
    // The module writes nothing and never grows its memory behind the page's back: the system
    // calls it may reach are answered as refused.
    const imports = {
      env: { emscripten_notify_memory_growth: () => {} },
      wasi_snapshot_preview1: {
        proc_exit: stopped,
        fd_close: () => 8,
        fd_seek: () => 8,
        fd_write: () => 8,
      },
    };
    const instance = await WebAssembly.instantiate(module, imports);
    return new Engine(instance.exports);
  }

  constructor(exports) {
    this.x = exports;
    exports._initialize();
    this.page = exports.orv_create();
    if (this.page === 0) throw new Error('orvessan: no memory for a saver');
  }

  destroy() {
    this.x.orv_destroy(this.page);
    this.x = null;
  }

  setOption(name, value) {
    const encoder = new TextEncoder();
    const strings = [name, value].map((text) => {
      const bytes = encoder.encode(text);
      const at = this.x.orv_reserve(bytes.length + 1);
      const memory = new Uint8Array(this.x.memory.buffer, at, bytes.length + 1);
      memory.set(bytes);
      memory[bytes.length] = 0;
      return at;
    });
    this.x.orv_set_option(this.page, strings[0], strings[1]);
    for (const at of strings) this.x.orv_release(at);
  }

  refusals() {
    const at = this.x.orv_refusals(this.page);
    const memory = new Uint8Array(this.x.memory.buffer);
    const end = memory.indexOf(0, at);
    const text = new TextDecoder().decode(memory.subarray(at, end));
    return text.split('\n').filter((line) => line !== '');
  }
}

class OrvessanSaver extends HTMLElement {
  static observedAttributes = kAttributes;

  #canvas;
  #context;
  #engine = null;
  #generation = 0; // raised by every start and stop: a start that was overtaken gives up
  #scripted = false;
  #fixed = false;
  #request = 0;
  #timer = 0;
  #image = null;
  #resizer = null;
  #boxSize = null;

  frames = 0;
  finished = false;

  constructor() {
    super();
    const root = this.attachShadow({ mode: 'open' });
    root.innerHTML =
      '<style>:host{display:block;position:relative;overflow:hidden;width:300px;height:150px;' +
      'background:#000}canvas{position:absolute;left:0;top:0;display:block}</style><canvas></canvas>';
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
    this.#image = null;
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
    for (const name of kAttributes) {
      const value = this.getAttribute(name);
      if (value !== null) engine.setOption(name, value);
    }
    for (const line of engine.refusals()) console.warn(`orvessan-saver: ${line}`);

    const x = engine.x;
    this.#scripted = x.orv_scripted(engine.page) !== 0;
    const width = x.orv_fixed_width(engine.page);
    const height = x.orv_fixed_height(engine.page);
    this.#fixed = width !== 0;
    if (this.#fixed) {
      this.#build(width, height, 1);
    } else {
      this.#boxSize = this.#measure();
      this.#build(this.#boxSize.width, this.#boxSize.height, window.devicePixelRatio);
      this.#resizer = new ResizeObserver((entries) => this.#resized(entries[entries.length - 1]));
      try {
        this.#resizer.observe(this, { box: 'device-pixel-content-box' });
      } catch {
        this.#resizer.observe(this);
      }
    }
    if (this.#engine === null) return;
    if (this.#scripted) {
      this.#runScript(generation);
    } else {
      this.#request = requestAnimationFrame(this.#frame);
    }
  }

  // The box in device pixels.
  #measure() {
    const box = this.getBoundingClientRect();
    const ratio = window.devicePixelRatio;
    return { width: Math.round(box.width * ratio), height: Math.round(box.height * ratio) };
  }

  #resized(entry) {
    const device = entry.devicePixelContentBoxSize?.[0];
    const size = device
      ? { width: device.inlineSize, height: device.blockSize }
      : this.#measure();
    if (size.width === this.#boxSize.width && size.height === this.#boxSize.height) return;
    this.#boxSize = size;
    this.#build(size.width, size.height, window.devicePixelRatio, true);
  }

  // A new all-black frame of (at most) width x height pixels, shown at `ratio` device pixels
  // to the CSS pixel: a new run, or the run under way carried on at the new size.
  #build(width, height, ratio, carryOn = false) {
    const engine = this.#engine;
    const x = engine.x;
    if (!this.#fixed) {
      const fitted = x.orv_fit(width, height);
      width = fitted >>> 16;
      height = fitted & 0xffff;
    }
    let built;
    if (carryOn) {
      built = x.orv_resize(engine.page, width, height) !== 0;
    } else {
      const seed = crypto.getRandomValues(new Uint32Array(1))[0];
      built = x.orv_start(engine.page, width, height, seed, this.#tick()) !== 0;
    }
    if (!built) {
      console.error(`orvessan-saver: no memory for a frame of ${width}x${height}`);
      this.#stop();
      return;
    }
    const canvas = this.#canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = this.#fixed ? `${width}px` : '100%';
    canvas.style.height = this.#fixed ? `${height}px` : '100%';
    this.#image = null;
    this.#present();
  }

  // The browser's clock in whole milliseconds, wrapping at 32 bits like every tick.
  #tick() {
    return Math.floor(performance.now()) >>> 0;
  }

  #frame = () => {
    this.#request = requestAnimationFrame(this.#frame);
    const engine = this.#engine;
    engine.x.orv_frame(engine.page, this.#tick(), document.visibilityState === 'hidden' ? 0 : 1);
    this.frames++;
    this.#present();
  };

  // Runs the scripted frames as fast as the page allows, a slice of time per task, showing
  // the frame so far after every slice; the last frame then stays.
  #runScript(generation) {
    const engine = this.#engine;
    const x = engine.x;
    let left = 1;
    const slice = () => {
      if (generation !== this.#generation) return;
      const until = performance.now() + kScriptSliceMs;
      for (let batch = 0; batch < kScriptMaxBatches && left > 0; batch++) {
        left = x.orv_run_script(engine.page, kScriptBatch);
        if (performance.now() >= until) break;
      }
      this.frames = x.orv_script_length(engine.page) - left;
      this.#present();
      if (left > 0) {
        this.#timer = setTimeout(slice, 0);
      } else {
        this.finished = true;
        this.dispatchEvent(new Event('finish'));
      }
    };
    slice();
  }

  // Puts the changed parts of the frame on the canvas.
  #present() {
    const engine = this.#engine;
    const x = engine.x;
    const count = x.orv_take_changes(engine.page);
    if (count === 0) return;
    const buffer = x.memory.buffer;
    const width = x.orv_width(engine.page);
    const height = x.orv_height(engine.page);
    if (this.#image === null || this.#image.data.buffer !== buffer) {
      const pixels = new Uint8ClampedArray(buffer, x.orv_canvas_pixels(engine.page), width * height * 4);
      this.#image = new ImageData(pixels, width, height);
    }
    const runs = new Int32Array(buffer, x.orv_changes(engine.page), count * 4);
    for (let i = 0; i < runs.length; i += 4) {
      const left = runs[i];
      const top = runs[i + 1];
      this.#context.putImageData(this.#image, 0, 0, left, top, runs[i + 2] - left, runs[i + 3] - top);
    }
  }
}

customElements.define('orvessan-saver', OrvessanSaver);
