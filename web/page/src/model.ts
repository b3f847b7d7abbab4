// What the window model's module hands the page: control states, the
// pages' layout and what came of each user action.

export interface ControlState {
  name: string;
  kind: 'label' | 'edit' | 'check' | 'radio' | 'combo' | 'pages' | 'status' | 'indicator' | 'menu';
  visible: boolean;
  enabled: boolean;
  hint: string;
  help: number;
  caption?: string;
  text?: string;
  readOnly?: boolean;
  checked?: boolean;
  items?: string[];
  index?: number;
  pages?: { name: string; caption: string; help: number; tabVisible: boolean }[];
  active?: number;
  panels?: [string, string];
  red?: boolean;
  position?: number;
  shown?: number;
  maximum?: number;
  shortcut?: string;
  grouped?: boolean;
}

export interface Box {
  text: string;
  caption: string;
  kind: 'information' | 'warning' | 'critical';
}

export interface Outcome {
  changed: ControlState[];
  boxes: Box[];
  modified: boolean;
  title: string;
  question?: { text: string; caption: string };
  help?: number;
  written: { name: string; bytes: Uint8Array }[];
  chooseSave?: string;
  chooseOpen?: boolean;
  opened?: boolean;
  recent?: string[];
  about?: { caption: string; lines: string[] };
}

export interface Cell {
  row: number;
  column: number;
  columnSpan: number;
  arrangement: 'one' | 'boxed' | 'side' | 'sideRight' | 'stacked';
  align: 'fill' | 'left' | 'right';
  controls: string[];
}

export interface PageLayout {
  cells: Cell[];
  columns: number;
  rows: number;
}

export interface SheetItem extends ControlState {
  x: number;
  top: number;
  width: number;
  height: number;
  alignRight: boolean;
  points: number;
  bold: boolean;
  anchor: 'topLeft' | 'topLeftRight' | 'topRight';
  frame: 'none' | 'titled' | 'borderless' | 'sunken';
}

export interface PrintSheet {
  caption: string;
  // What a failed copy to the clipboard says, under this caption.
  failure: { caption: string; noPicture: string; refused: string };
  width: number;
  height: number;
  items: SheetItem[];
}

export type SaveAnswer = '' | 'save' | 'discard' | 'cancel';

export interface MainWindow {
  controls(): ControlState[];
  modified(): boolean;
  recentProjects(): string[];
  keptFiles(): KeptFile[];
  openRecent(index: number, answer: SaveAnswer): Outcome;
  started(): Outcome;
  printSheet(): PrintSheet;
  projectBytes(): Uint8Array | null;
  close(): Uint8Array | null;
  enterField(name: string): Outcome;
  typeText(name: string, text: string): Outcome;
  leaveField(name: string): Outcome;
  setChecked(name: string, checked: boolean): Outcome;
  leaveCheckBox(name: string): Outcome;
  selectRadio(name: string): Outcome;
  pickItem(name: string, index: number): Outcome;
  clickMenu(name: string, answer: SaveAnswer): Outcome;
  selectPage(index: number): Outcome;
  stepPage(step: number): Outcome;
  contextHelp(name: string): Outcome;
  openFile(fileName: string, bytes: Uint8Array, answer: SaveAnswer): Outcome;
  saveAs(fileName: string): Outcome;
  useValue(key: string, value: number): Outcome;
}

// A recent project's file as the page keeps it between visits.
export interface KeptFile {
  path: string;
  bytes: Uint8Array;
}

export interface WindowModule {
  MainWindow: new (today: string, settings: Uint8Array, kept: KeptFile[]) => MainWindow;
  pageLayout(): PageLayout[];
  bytesToRead(): number;
  limitsCsv(bytes: Uint8Array): { csv?: string; error?: string };
}
