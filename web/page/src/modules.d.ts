declare module 'qntcalc-window-model' {
  import type { WindowModule } from './model';
  interface Options {
    instantiateWasm(imports: WebAssembly.Imports,
                    receive: (instance: WebAssembly.Instance, module: WebAssembly.Module) => void): object;
  }
  const createMainWindowModule: (options: Options) => Promise<WindowModule>;
  export default createMainWindowModule;
}

declare module 'qntcalc-window-model.wasm?url' {
  const url: string;
  export default url;
}

declare module '*?raw' {
  const text: string;
  export default text;
}

declare module '*?worker&inline' {
  const WorkerConstructor: new () => Worker;
  export default WorkerConstructor;
}
