import { resolve } from 'node:path';
import { defineConfig } from 'vite';
import { viteSingleFile } from 'vite-plugin-singlefile';

// The window model's module comes from the Emscripten build; the page and
// the module together become one HTML file that needs no server.
const module = process.env.QNTCALC_PAGE_MODULE ?? resolve(__dirname, '../../build/wasm/bin/qntcalc_page.mjs');
const outDir = process.env.QNTCALC_PAGE_OUT ?? resolve(__dirname, '../../build/web');

export default defineConfig({
  base: './',
  resolve: { alias: { 'qntcalc-window-model': module } },
  build: {
    outDir,
    emptyOutDir: true,
    rollupOptions: { input: resolve(__dirname, 'QntCalc.html') },
    // The module is large; one file is the point.
    chunkSizeWarningLimit: 8192,
    reportCompressedSize: false,
  },
  // The limits worker loads the same module again; a classic worker,
  // which a page opened from disk may start.
  worker: { format: 'iife' },
  plugins: [viteSingleFile()],
});
