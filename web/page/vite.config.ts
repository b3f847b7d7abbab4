import { resolve } from 'node:path';
import { defineConfig, type Plugin } from 'vite';
import { viteSingleFile } from 'vite-plugin-singlefile';

// The window model's module comes from the Emscripten build; the page and
// the module together become one HTML file that needs no server.
const module = process.env.QNTCALC_PAGE_MODULE ?? resolve(__dirname, '../../build/wasm/bin/qntcalc_page.mjs');
const outDir = process.env.QNTCALC_PAGE_OUT ?? resolve(__dirname, '../../build/web');

// The module's own way to find its WebAssembly beside it would put a second
// and third copy into the page; the page hands it the one it compiled.
function wasmCompiledByPage(): Plugin {
  return {
    name: 'qntcalc-wasm-compiled-by-page',
    enforce: 'pre',
    transform(code, id) {
      if (id !== module) return null;
      return code.replace(/new URL\(("[^"]+\.wasm"),\s*import\.meta\.url\)\.toString\(\)/g, '$1');
    },
  };
}

export default defineConfig({
  base: './',
  resolve: {
    alias: [
      { find: /^qntcalc-window-model\.wasm/, replacement: module.replace(/\.mjs$/, '.wasm') },
      { find: /^qntcalc-window-model$/, replacement: module },
    ],
  },
  build: {
    outDir,
    emptyOutDir: true,
    rollupOptions: { input: resolve(__dirname, 'QntCalc.html') },
    // The module is large; one file is the point.
    chunkSizeWarningLimit: 8192,
    reportCompressedSize: false,
  },
  // The limits worker gets the page's compiled WebAssembly; a classic
  // worker, which a page opened from disk may start.
  worker: { format: 'iife', plugins: () => [wasmCompiledByPage()] },
  plugins: [wasmCompiledByPage(), viteSingleFile()],
});
