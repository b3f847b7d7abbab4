// The limits overview, worked out away from the page so that typing never
// waits for it: first the compiled WebAssembly, then a project's bytes in
// and the overview's rows out.
import type { WindowModule } from './model';
import { instantiate } from './window-model';

let module: Promise<WindowModule> | null = null;

type Message = { compiled?: WebAssembly.Module; id: number; bytes: Uint8Array };

self.onmessage = async (event: MessageEvent<Message>) => {
  if (event.data.compiled) {
    module = instantiate(event.data.compiled);
    return;
  }
  const { id, bytes } = event.data;
  try {
    self.postMessage({ id, ...(await module!).limitsCsv(bytes) });
  } catch (error) {
    self.postMessage({ id, error: `The limits overview could not be worked out: ${String(error)}` });
  }
};
