declare module 'qntcalc-window-model' {
  import type { WindowModule } from './model';
  const createMainWindowModule: () => Promise<WindowModule>;
  export default createMainWindowModule;
}

declare module '*?raw' {
  const text: string;
  export default text;
}

declare module '*?worker&inline' {
  const WorkerConstructor: new () => Worker;
  export default WorkerConstructor;
}
