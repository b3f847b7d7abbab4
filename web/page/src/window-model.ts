// The window model's module, made from WebAssembly compiled already: the
// page compiles it once and hands the same compiled module to its worker.
import createMainWindowModule from 'qntcalc-window-model';
import type { WindowModule } from './model';

export function instantiate(compiled: WebAssembly.Module): Promise<WindowModule> {
  return new Promise<WindowModule>((resolve, reject) => {
    createMainWindowModule({
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled), reject);
        return {};
      },
    }).then(resolve, reject);
  });
}
