// The limits overview, worked out away from the page so that typing never
// waits for it: a project's bytes in, the overview's rows out.
import createMainWindowModule from 'qntcalc-window-model';

const module = createMainWindowModule();

self.onmessage = async (event: MessageEvent<{ id: number; bytes: Uint8Array }>) => {
  const { id, bytes } = event.data;
  const result = (await module).limitsCsv(bytes);
  self.postMessage({ id, ...result });
};
