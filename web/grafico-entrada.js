// The parts of the chart library the page uses, bundled at build time into
// grafico.js (window.echarts): line series, axes, tooltip, legend, zoom,
// equilibrium lines, drawn as SVG so that the chart exports as vectors.
import * as echarts from "echarts/core";
import { LineChart } from "echarts/charts";
import {
  GridComponent,
  TooltipComponent,
  LegendComponent,
  DataZoomComponent,
  ToolboxComponent,
  MarkLineComponent,
} from "echarts/components";
import { SVGRenderer } from "echarts/renderers";

echarts.use([LineChart, GridComponent, TooltipComponent, LegendComponent, DataZoomComponent, ToolboxComponent,
             MarkLineComponent, SVGRenderer]);
self.echarts = echarts;
