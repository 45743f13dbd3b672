// The drawing module's frames in the browser, for bench/web/web_cost.py, which times them as
// bench/web_frame_time.cpp does natively: prepare() brings a scripted run up to frame `first`,
// run() runs frames first + 1 to `last`, and the page's CPU time around run() is the cost.

const module = await WebAssembly.compileStreaming(fetch('/orvessan.wasm'));
const refused = () => 8;
const { exports: x } = await WebAssembly.instantiate(module, {
  env: { emscripten_notify_memory_growth: () => {} },
  wasi_snapshot_preview1: {
    proc_exit: refused, fd_close: refused, fd_seek: refused, fd_write: refused,
  },
});
x._initialize();
let page = 0;
let frames = 0;

function setOption(name, value) {
  const encoder = new TextEncoder();
  const at = [name, value].map((text) => {
    const bytes = encoder.encode(text + '\0');
    const where = x.orv_reserve(bytes.length);
    new Uint8Array(x.memory.buffer, where, bytes.length).set(bytes);
    return where;
  });
  x.orv_set_option(page, at[0], at[1]);
  at.forEach((where) => x.orv_release(where));
}

window.prepare = (seed, first, last, width, height) => {
  if (page !== 0) x.orv_destroy(page);
  page = x.orv_create();
  setOption('seed', String(seed));
  setOption('frames', String(last));
  x.orv_start(page, width, height, 0, 0);
  x.orv_run_script(page, first);
  frames = last - first;
  return frames;
};

window.run = () => x.orv_run_script(page, frames);
window.ready = true;
