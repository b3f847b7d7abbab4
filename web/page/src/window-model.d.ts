declare module 'qntcalc-window-model' {
  import type { WindowModule } from './model';
  const createMainWindowModule: () => Promise<WindowModule>;
  export default createMainWindowModule;
}
