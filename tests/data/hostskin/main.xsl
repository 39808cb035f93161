<?xml version="1.0" encoding="UTF-8"?>
<!-- The main page: the frame document carries no data, so this writes the
     fixed face. Elements whose id is section+item+field receive the fan
     plug-in's values on every update tick; the first fan's caption is shown
     twice, under one id. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html"/>
  <xsl:template match="/">
    <DIV ID="MOVEAREA" STYLE="position:absolute;left:0;top:0;width:400px;height:24px;color:#e8f0ff;font:bold 13px sans-serif;line-height:24px;padding-left:10px;">Velmar</DIV>
    <DIV STYLE="position:absolute;left:10px;top:64px;width:460px;color:#cfe3ff;font:12px sans-serif;">
      <TABLE STYLE="width:100%;border-collapse:collapse;color:#cfe3ff;font:12px sans-serif;">
        <TR><TD ID="FAN+ZEFAN_FAN_0+CAPTION">-</TD><TD ID="FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE">-</TD><TD>target</TD><TD ID="FAN+ZEFAN_FAN_0+TARGET_TEMP">-</TD></TR>
        <TR><TD ID="FAN+ZEFAN_FAN_1+CAPTION">-</TD><TD ID="FAN+ZEFAN_FAN_1+PWM_DUTYCYCLE">-</TD><TD>target</TD><TD ID="FAN+ZEFAN_FAN_1+TARGET_TEMP">-</TD></TR>
      </TABLE>
      <DIV STYLE="margin-top:6px;">mode <SPAN ID="modeText">0</SPAN> &#183; ticks <SPAN ID="tickText">0</SPAN> &#183; <SPAN ID="warningText">no warning</SPAN> &#183; <SPAN ID="FAN+ZEFAN_FAN_0+CAPTION">-</SPAN></DIV>
    </DIV>
  </xsl:template>
</xsl:stylesheet>
